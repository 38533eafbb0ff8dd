// The hall's HTTP server, on GNU libmicrohttpd, which bounds a request
// before it reads it: a connection silent for 10 s is closed, at most 32
// come from one address, a head (address and headers) past 16 KiB is
// answered 431, and a body past 16 MiB 413, from its Content-Length or,
// sent in chunks, as soon as it passes that. Everything else reaches the
// handler whole, which answers every request: it never throws.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <string>
#include <vector>

struct MHD_Daemon;

struct Request {
    QString method;
    QString path;
    std::map<QString, QString> query;
    std::map<QString, QString> headers;  // names in lower case
    QByteArray body;
    QString peer;                        // the client's address

    QString header(const char* name) const;
    QString parameter(const char* name) const;
};

struct Response {
    int status = 200;
    QByteArray type = "text/plain; charset=utf-8";
    QByteArray body;
    std::vector<std::pair<QByteArray, QByteArray>> headers;
};

constexpr qint64 LargestBody = 16 * 1024 * 1024;
constexpr qint64 LargestHeaders = 16 * 1024;

class HttpServer {
public:
    using Handler = std::function<Response(const Request&)>;

    // Behind a reverse proxy every connection comes from the proxy, which
    // bounds each client's own: the 32 an address may hold are not counted.
    explicit HttpServer(Handler handler, bool behindProxy = false)
        : handler_(std::move(handler)), behindProxy_(behindProxy) {}
    ~HttpServer();

    // False with the reason in one line when it cannot listen there.
    bool listen(const QString& address, quint16 port, QString& problem);
    // Stops taking connections and finishes the requests in flight.
    void stop();

    const Handler& handler() const { return handler_; }

private:
    Handler handler_;
    bool behindProxy_;
    MHD_Daemon* daemon_ = nullptr;
};
