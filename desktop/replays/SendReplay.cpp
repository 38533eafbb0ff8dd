// One upload over Qt Network, with a bound on the whole of it: connecting,
// sending and the hall's playback of the game all fit in 30 s, or the
// upload is given up.
#include "desktop/replays/SendReplay.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <cstdio>

#include "replay/format.h"

namespace {

constexpr int LongestWaitMs = 30 * 1000;

int complain(const QString& line) {
    std::fprintf(stderr, "vorlane: %s\n", qPrintable(line));
    return 2;
}

// The hall's answer to a finished upload: its status and its JSON body.
int answer(const QUrl& hall, const QString& path, int code, const QByteArray& body) {
    const QJsonObject json = QJsonDocument::fromJson(body).object();
    if (code == 200 || code == 201 || code == 202) {
        const QString entry = json.value(QStringLiteral("url")).toString();
        if (entry.isEmpty()) return complain(QStringLiteral("%1: the hall answered without an entry").arg(path));
        std::printf("%s\n", qPrintable(hall.resolved(QUrl(entry)).toString()));
        return 0;
    }
    if (code == 422) {
        std::fprintf(stderr, "vorlane: %s: the hall refused it: %s\n", qPrintable(path),
                     qPrintable(json.value(QStringLiteral("error")).toString()));
        return 1;
    }
    return complain(QStringLiteral("%1: the hall answered %2").arg(path).arg(code));
}

}  // namespace

int sendReplayCommand(char* argv[], const QString& path, const QString& hall) {
    QByteArray bytes;
    const ReplayReading reading = readReplayFile(path, &bytes);
    if (!reading.replay) return complain(QStringLiteral("%1: %2").arg(path, reading.problem));
    const QUrl base(hall, QUrl::StrictMode);
    if (!base.isValid() || (base.scheme() != QLatin1String("http") && base.scheme() != QLatin1String("https")) ||
        base.host().isEmpty())
        return complain(QStringLiteral("%1 is not the address of a hall (http://HOST:PORT)").arg(hall));

    int programOnly = 1;
    QCoreApplication app(programOnly, argv);
    QNetworkAccessManager network;
    // A hall under a folder of its site takes uploads in that folder.
    QUrl root = base;
    if (!root.path().endsWith(QLatin1Char('/'))) root.setPath(root.path() + QLatin1Char('/'));
    QNetworkRequest request(root.resolved(QUrl(QStringLiteral("api/replays"))));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-vorlane-replay"));
    QNetworkReply* reply = network.post(request, bytes);
    bool late = false;
    QTimer::singleShot(LongestWaitMs, reply, [reply, &late] {
        late = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &app, &QCoreApplication::quit);
    app.exec();

    const QVariant code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (late) return complain(QStringLiteral("%1: no answer from %2 within 30 s").arg(path, hall));
    if (!code.isValid())
        return complain(QStringLiteral("%1: cannot reach the hall at %2: %3").arg(path, hall, reply->errorString()));
    return answer(base, path, code.toInt(), reply->readAll());
}
