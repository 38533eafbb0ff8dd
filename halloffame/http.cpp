// libmicrohttpd's daemon, its limits, and turning its calls into one
// Request and one Response.
#include "halloffame/http.h"

#include <microhttpd.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

constexpr unsigned IdleSeconds = 10;
constexpr unsigned ConnectionsPerAddress = 32;
constexpr unsigned Connections = 512;
// Room for the headers allowed and the buffers that read them.
constexpr size_t ConnectionMemory = 32 * 1024;
// The longest a request in flight is waited for at the end: a proof's.
constexpr auto LongestRequest = std::chrono::seconds(35);

std::atomic<int> inFlight{0};

// A request as it arrives, kept from the first call for it to the last.
struct Pending {
    Request request;
    bool answered = false;
    qint64 headerBytes = 0;
};

MHD_Result collect(void* into, MHD_ValueKind kind, const char* key, const char* value) {
    auto* pending = static_cast<Pending*>(into);
    const QString name = QString::fromUtf8(key);
    const QString text = QString::fromUtf8(value ? value : "");
    // The query counts with the headers: together they are the request's head.
    pending->headerBytes += qint64(std::strlen(key)) + (value ? qint64(std::strlen(value)) : 0) + 4;
    if (kind == MHD_HEADER_KIND) {
        pending->request.headers[name.toLower()] = text;
    } else {
        pending->request.query[name] = text;
    }
    return MHD_YES;
}

QString peerOf(MHD_Connection* connection) {
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    if (!info || !info->client_addr) return {};
    char text[INET6_ADDRSTRLEN] = {};
    const sockaddr* address = info->client_addr;
    if (address->sa_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
    else if (address->sa_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

MHD_Result queueAnswer(MHD_Connection* connection, Pending& pending, const Response& response) {
    pending.answered = true;
    MHD_Response* reply = MHD_create_response_from_buffer(size_t(response.body.size()),
                                                          const_cast<char*>(response.body.constData()),
                                                          MHD_RESPMEM_MUST_COPY);
    if (!reply) return MHD_NO;
    MHD_add_response_header(reply, "Content-Type", response.type.constData());
    MHD_add_response_header(reply, "X-Content-Type-Options", "nosniff");
    for (const auto& [name, value] : response.headers)
        MHD_add_response_header(reply, name.constData(), value.constData());
    const MHD_Result queued = MHD_queue_response(connection, unsigned(response.status), reply);
    MHD_destroy_response(reply);
    return queued;
}

// libmicrohttpd 0.9 takes no answer while it reads a body, and a chunked
// one tells its size only as it comes: past the bound, the 413 goes
// straight to the socket, the sending side is shut, and what the client
// had already sent is read away for a moment, so that the close does not
// reset the connection before the client has read the answer.
void refuseMidBody(MHD_Connection* connection) {
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    if (!info) return;
    const int socket = info->connect_fd;
    static const char answer[] =
        "HTTP/1.1 413 Content Too Large\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: 19\r\n"
        "Connection: close\r\n\r\nlarger than 16 MiB\n";
    if (::send(socket, answer, sizeof answer - 1, MSG_NOSIGNAL) != ssize_t(sizeof answer - 1)) return;
    shutdown(socket, SHUT_WR);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    char away[65536];
    while (std::chrono::steady_clock::now() < until) {
        pollfd waiting{socket, POLLIN, 0};
        if (poll(&waiting, 1, 100) > 0 && recv(socket, away, sizeof away, MSG_DONTWAIT) == 0) return;
    }
}

Response plain(int status, const char* text) {
    Response response;
    response.status = status;
    response.body = text;
    return response;
}

MHD_Result onRequest(void* server, MHD_Connection* connection, const char* url, const char* method, const char*,
                     const char* upload, size_t* uploadSize, void** state) {
    auto* pending = static_cast<Pending*>(*state);
    if (!pending) {
        pending = new Pending;
        *state = pending;
        pending->request.method = QString::fromLatin1(method);
        pending->request.path = QString::fromUtf8(url);
        pending->request.peer = peerOf(connection);
        pending->headerBytes = qint64(std::strlen(url));
        MHD_get_connection_values(connection, MHD_HEADER_KIND, collect, pending);
        MHD_get_connection_values(connection, MHD_GET_ARGUMENT_KIND, collect, pending);
        if (pending->headerBytes > LargestHeaders)
            return queueAnswer(connection, *pending,
                               plain(MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE, "headers too large\n"));
        const QString length = pending->request.header("content-length");
        if (!length.isEmpty() && length.toLongLong() > LargestBody)
            return queueAnswer(connection, *pending, plain(MHD_HTTP_CONTENT_TOO_LARGE, "larger than 16 MiB\n"));
        return MHD_YES;
    }
    if (*uploadSize > 0) {
        const size_t size = *uploadSize;
        *uploadSize = 0;
        if (pending->answered) return MHD_YES;
        if (pending->request.body.size() + qint64(size) > LargestBody) {
            pending->answered = true;
            refuseMidBody(connection);
            return MHD_NO;
        }
        pending->request.body.append(upload, qsizetype(size));
        return MHD_YES;
    }
    if (pending->answered) return MHD_YES;
    ++inFlight;
    Response response;
    try {
        response = static_cast<HttpServer*>(server)->handler()(pending->request);
    } catch (...) {
        response = plain(MHD_HTTP_SERVICE_UNAVAILABLE, "the hall could not answer now\n");
    }
    const MHD_Result queued = queueAnswer(connection, *pending, response);
    --inFlight;
    return queued;
}

void onCompleted(void*, MHD_Connection*, void** state, MHD_RequestTerminationCode) {
    delete static_cast<Pending*>(*state);
    *state = nullptr;
}

}  // namespace

QString Request::header(const char* name) const {
    const auto found = headers.find(QString::fromLatin1(name));
    return found == headers.end() ? QString() : found->second;
}

QString Request::parameter(const char* name) const {
    const auto found = query.find(QString::fromLatin1(name));
    return found == query.end() ? QString() : found->second;
}

HttpServer::~HttpServer() { stop(); }

bool HttpServer::listen(const QString& address, quint16 port, QString& problem) {
    sockaddr_storage where{};
    socklen_t size = 0;
    const QByteArray host = address.toLatin1();
    auto* v4 = reinterpret_cast<sockaddr_in*>(&where);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&where);
    if (inet_pton(AF_INET, host.constData(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(port);
        size = sizeof *v4;
    } else if (inet_pton(AF_INET6, host.constData(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        size = sizeof *v6;
    } else {
        problem = QStringLiteral("%1 is no IP address").arg(address);
        return false;
    }
    const int listening = socket(where.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    setsockopt(listening, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (listening < 0 || bind(listening, reinterpret_cast<sockaddr*>(&where), size) != 0 ||
        ::listen(listening, 128) != 0) {
        problem = errno == EADDRINUSE ? QStringLiteral("port %1 is already in use on %2").arg(port).arg(address)
                                      : QStringLiteral("cannot listen on %1 port %2: %3")
                                            .arg(address)
                                            .arg(port)
                                            .arg(QString::fromLocal8Bit(std::strerror(errno)));
        if (listening >= 0) close(listening);
        return false;
    }
    const unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_THREAD_PER_CONNECTION | MHD_USE_ITC |
                           (where.ss_family == AF_INET6 ? MHD_USE_IPv6 : 0);
    daemon_ = MHD_start_daemon(flags, port, nullptr, nullptr, onRequest, this,
                               MHD_OPTION_LISTEN_SOCKET, listening,
                               MHD_OPTION_CONNECTION_TIMEOUT, IdleSeconds,
                               MHD_OPTION_PER_IP_CONNECTION_LIMIT, behindProxy_ ? 0u : ConnectionsPerAddress,
                               MHD_OPTION_CONNECTION_LIMIT, Connections,
                               MHD_OPTION_CONNECTION_MEMORY_LIMIT, ConnectionMemory,
                               MHD_OPTION_NOTIFY_COMPLETED, onCompleted, nullptr,
                               MHD_OPTION_END);
    if (!daemon_) {
        close(listening);
        problem = QStringLiteral("cannot start serving on %1 port %2").arg(address).arg(port);
        return false;
    }
    return true;
}

void HttpServer::stop() {
    if (!daemon_) return;
    const MHD_socket listening = MHD_quiesce_daemon(daemon_);
    const auto until = std::chrono::steady_clock::now() + LongestRequest;
    while (inFlight > 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    MHD_stop_daemon(daemon_);
    if (listening != MHD_INVALID_SOCKET) close(listening);
    daemon_ = nullptr;
}
