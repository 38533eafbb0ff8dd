// Reading the address and the method, and making each answer.
#include "halloffame/routes.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <set>

#include "halloffame/feed.h"
#include "halloffame/mediafile.h"
#include "halloffame/multipart.h"
#include "halloffame/pages.h"
#include "halloffame/prover.h"
#include "halloffame/settings.h"
#include "resources/resources.h"

namespace {

constexpr int LongestName = 10;
constexpr int MostListed = 100;
// The first games of a board show their game's last seconds, moving.
constexpr std::size_t MovingPreviews = 10;
// How long an upload waits for its own verdict before it is answered 202.
constexpr qint64 VerdictWaitMs = 5000;
// What a client is told to wait while the database cannot be reached.
constexpr int RetryAfterSeconds = 5;

QString isoDate(qint64 ms) { return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODate); }

QJsonObject entryJson(const Entry& entry) {
    QJsonObject object{{"rank", entry.rank},
                       {"id", entry.id},
                       {"name", entry.name},
                       {"score", entry.score},
                       {"wave", entry.wave},
                       {"played", isoDate(entry.played)},
                       {"sent", isoDate(entry.sent)},
                       {"length_s", double(entry.lengthMs) / 1000.0},
                       {"settings", entry.settings},
                       {"board", entry.board},
                       {"status", entry.status}};
    if (!entry.reason.isEmpty()) object.insert("reason", entry.reason);
    if (entry.earlierVersion) object.insert("earlier_version", true);
    return object;
}

Response json(int status, const QJsonValue& value) {
    Response response;
    response.status = status;
    response.type = "application/json";
    response.body = value.isArray() ? QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact)
                                    : QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    return response;
}

Response error(int status, const QString& reason) { return json(status, QJsonObject{{"error", reason}}); }

Response html(int status, const QByteArray& body) {
    Response response;
    response.status = status;
    response.type = "text/html; charset=utf-8";
    response.body = body;
    return response;
}

Response file(const QByteArray& type, const QByteArray& body) {
    Response response;
    response.type = type;
    response.body = body;
    return response;
}

Response seeOther(const QByteArray& where) {
    Response response;
    response.status = 303;
    response.headers.push_back({"Location", where});
    return response;
}

QByteArray entryUrl(qint64 id) { return "/entries/" + QByteArray::number(id); }

// A whole number from the query, within its bounds; empty when it is none.
std::optional<int> number(const QString& text, int fallback, int least, int most) {
    if (text.isEmpty()) return fallback;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < least || value > most) return std::nullopt;
    return value;
}

std::optional<qint64> idOf(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[1-9][0-9]{0,17}$"));
    if (!digits.match(text).hasMatch()) return std::nullopt;
    return text.toLongLong();
}

// The sender of a request: behind the reverse proxy the hall was told of,
// the last address that proxy added to X-Forwarded-For (those before it
// are the client's word); anyone else is their own address.
QString senderOf(const Request& request, const QString& proxy) {
    const QString forwarded = request.header("x-forwarded-for");
    if (proxy.isEmpty() || request.peer != proxy || forwarded.isEmpty()) return request.peer;
    return forwarded.section(QLatin1Char(','), -1).trimmed();
}

QByteArray iconPng() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    earthIcon().save(&buffer, "PNG");
    return bytes;
}

}  // namespace

Routes::Routes(Store& store, ProofQueue& provers, const Videos& videos, QString proxy)
    : store_(store), provers_(provers), videos_(videos), proxy_(std::move(proxy)), icon_(iconPng()) {}

Routes::Upload Routes::take(const QByteArray& bytes, const QString& peer, const QString& name) {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!limit_.take(peer, now)) return {429, 0, QStringLiteral("more than 20 uploads in a minute: wait a little"), {}};
    const QByteArray sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    std::optional<qint64> id = store_.idOfBytes(sha256);
    int kept = 200;
    if (!id) {
        if (bytes.isEmpty()) return {422, 0, QStringLiteral("no replay: the body is empty"), {}};
        Store::Refusal refusal{};
        const std::optional<Store::Kept> stored =
            store_.enqueue(bytes, sha256, name.trimmed().left(LongestName), now, refusal);
        if (!stored && refusal == Store::Refusal::NoRoom)
            return {507, 0, QStringLiteral("the hall has no room to keep it: its disk is full"), {}};
        if (!stored) return {503, 0, QStringLiteral("the hall is busy: send it again in a moment"), {}};
        provers_.wake();
        id = stored->id;
        kept = stored->fresh ? 201 : 200;
    }
    const std::optional<Entry> entry = provers_.await(*id, VerdictWaitMs);
    if (!entry) return {404, 0, QStringLiteral("no such entry"), {}};
    const QString& state = entry->status;
    if (state == QLatin1String("queued")) return {202, *id, {}, state};
    if (state == QLatin1String("rejected")) return {422, *id, entry->reason, state};
    return {kept, *id, {}, state};
}

Response Routes::send(const Request& request) {
    const Upload upload = take(request.body, senderOf(request, proxy_), request.parameter("name"));
    if (!upload.id) return error(upload.status, upload.error);
    const QByteArray url = entryUrl(upload.id);
    QJsonObject body{{"id", upload.id}, {"status", upload.state}, {"url", QString::fromLatin1(url)}};
    if (!upload.error.isEmpty()) body.insert("error", upload.error);
    Response response = json(upload.status, body);
    if (upload.status == 201) response.headers.push_back({"Location", url});
    return response;
}

Response Routes::sendForm(const Request& request) {
    const std::optional<QByteArray> bytes = fileOfForm(request.header("content-type").toLatin1(), request.body);
    if (!bytes) return html(400, messagePage(QStringLiteral("No file"), QStringLiteral("Choose a replay file to send.")));
    const Upload upload = take(*bytes, senderOf(request, proxy_), {});
    if (upload.id) return seeOther(entryUrl(upload.id));
    return html(upload.status, messagePage(QStringLiteral("Not taken"), upload.error));
}

Response Routes::entries(const Request& request) {
    const std::optional<int> limit = number(request.parameter("limit"), 50, 1, MostListed);
    const std::optional<int> offset = number(request.parameter("offset"), 0, 0, 1 << 30);
    if (!limit || !offset) return error(400, QStringLiteral("limit is 1 to 100 and offset a whole number"));
    const QString board = request.parameter("board");
    QJsonArray list;
    const bool every = request.parameter("every") == QLatin1String("1");
    for (const Entry& entry :
         store_.board(board.isEmpty() ? QString::fromLatin1(StandardBoard) : board, *limit, *offset, every))
        list.append(entryJson(entry));
    return json(200, list);
}

Response Routes::entryFile(const QString& rest, const Request& request) {
    // The video and its preview, read from the media folder while their entry is shown.
    if (rest.endsWith(QLatin1String("-preview.webp")) || rest.endsWith(QLatin1String(".webm"))) {
        const bool preview = rest.endsWith(QLatin1String(".webp"));
        const std::optional<qint64> id = idOf(rest.left(rest.size() - (preview ? 13 : 5)));
        if (id && store_.entry(*id))
            return preview ? mediaFile(videos_.previewPath(*id), "image/webp", request.header("range"))
                           : mediaFile(videos_.videoPath(*id), "video/webm", request.header("range"));
    }
    const qsizetype dot = rest.indexOf(QLatin1Char('.'));
    const std::optional<qint64> id = idOf(dot < 0 ? rest : rest.left(dot));
    const QString kind = dot < 0 ? QString() : rest.mid(dot);
    if (!id) return html(404, messagePage(QStringLiteral("Not here"), QStringLiteral("There is no such entry.")));
    if (kind == QLatin1String(".png")) {
        if (const std::optional<QByteArray> picture = store_.picture(*id)) return file("image/png", *picture);
    } else if (kind == QLatin1String(".vorlane-replay")) {
        if (const std::optional<QByteArray> bytes = store_.replayBytes(*id)) {
            Response response = file("application/x-vorlane-replay", *bytes);
            response.headers.push_back(
                {"Content-Disposition", "attachment; filename=\"vorlane-" + QByteArray::number(*id) + ".vorlane-replay\""});
            return response;
        }
    } else if (kind.isEmpty()) {
        if (const std::optional<Entry> entry = store_.entry(*id))
            return html(200, entryPage(*entry, videos_.made(*id)));
    }
    return html(404, messagePage(QStringLiteral("Not here"), QStringLiteral("There is no such entry.")));
}

Response Routes::boardPageOf(const QString& board, bool everyGame) {
    const std::vector<Board> boards = store_.boards();
    QString settings = board == QLatin1String(StandardBoard)
                           ? QStringLiteral("Skill Medium, Speed Med, 10 bombs, Bomb Speed Low, Missile Full, 25 ms "
                                            "tick, nothing changed during play")
                           : QString();
    for (const Board& known : boards)
        if (known.board == board && settings.isEmpty())
            settings = board == QLatin1String(ChangedBoard) ? QStringLiteral("A setting changed during play")
                                                            : known.settings;
    const std::vector<Entry> entries = store_.board(board, MostListed, 0, everyGame);
    std::set<qint64> moving;
    for (std::size_t n = 0; n < std::min<std::size_t>(entries.size(), MovingPreviews); ++n)
        if (videos_.made(entries[n].id)) moving.insert(entries[n].id);
    return html(200, boardPage(board, settings, entries, boards, moving, everyGame));
}

Response Routes::answer(const Request& request) {
    try {
        return route(request);
    } catch (const DatabaseUnavailable&) {
        // PostgreSQL stopped or restarting: the client may try again soon.
        Response response = request.path.startsWith(QLatin1String("/api/"))
                                ? error(503, QStringLiteral("the hall's database cannot be reached: try again soon"))
                                : html(503, messagePage(QStringLiteral("Back soon"),
                                                        QStringLiteral("The hall's database cannot be reached just "
                                                                       "now. Try again in a few seconds.")));
        response.headers.push_back({"Retry-After", QByteArray::number(RetryAfterSeconds)});
        return response;
    }
}

Response Routes::route(const Request& request) {
    const QString& path = request.path;
    const bool get = request.method == QLatin1String("GET") || request.method == QLatin1String("HEAD");
    if (request.method == QLatin1String("POST")) {
        if (path == QLatin1String("/api/replays")) return send(request);
        if (path == QLatin1String("/entries")) return sendForm(request);
        return error(405, QStringLiteral("only GET here"));
    }
    if (!get) return error(405, QStringLiteral("only GET and POST"));
    if (path == QLatin1String("/health")) return json(200, QJsonObject{{"status", QStringLiteral("ok")}});
    if (path == QLatin1String("/api/boards")) {
        QJsonArray list;
        for (const Board& board : store_.boards())
            list.append(QJsonObject{{"board", board.board}, {"settings", board.settings}, {"entries", board.entries}});
        return json(200, list);
    }
    if (path == QLatin1String("/api/entries")) return entries(request);
    if (path.startsWith(QLatin1String("/api/entries/"))) {
        const std::optional<qint64> id = idOf(path.mid(13));
        const std::optional<Entry> entry = id ? store_.entry(*id) : std::nullopt;
        return entry ? json(200, entryJson(*entry)) : error(404, QStringLiteral("no such entry"));
    }
    if (path == QLatin1String("/")) return boardPageOf(QString::fromLatin1(StandardBoard));
    if (path.startsWith(QLatin1String("/boards/")))
        return boardPageOf(path.mid(8), request.parameter("every") == QLatin1String("1"));
    if (path.startsWith(QLatin1String("/entries/"))) return entryFile(path.mid(9), request);
    if (path == QLatin1String("/recent")) return html(200, recentPage(store_.recent(MostListed)));
    if (path == QLatin1String("/feed.atom"))
        return file("application/atom+xml; charset=utf-8", firstPlacesFeed(store_.firstPlaces(MostListed)));
    if (path == QLatin1String("/style.css")) return file("text/css", styleSheet());
    if (path == QLatin1String("/icon.png")) return file("image/png", icon_);
    return html(404, messagePage(QStringLiteral("Not here"), QStringLiteral("There is nothing at this address.")));
}
