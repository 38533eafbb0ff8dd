// Reading the asked span of a media file.
#include "halloffame/mediafile.h"

#include <QFile>
#include <QRegularExpression>

namespace {

constexpr qint64 LongestOpenSpan = 4 * 1024 * 1024;

}  // namespace

Response mediaFile(const QString& path, const QByteArray& type, const QString& range) {
    Response response;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        response.status = 404;
        response.body = "not made yet\n";
        return response;
    }
    const qint64 size = file.size();
    response.type = type;
    response.headers.push_back({"Accept-Ranges", "bytes"});
    static const QRegularExpression span(QStringLiteral("^bytes=([0-9]{0,18})-([0-9]{0,18})$"));
    const QRegularExpressionMatch asked = span.match(range.trimmed());
    if (range.isEmpty() || !asked.hasMatch() || (asked.captured(1).isEmpty() && asked.captured(2).isEmpty())) {
        response.body = file.readAll();
        return response;
    }
    qint64 first = asked.captured(1).toLongLong(), last = asked.captured(2).toLongLong();
    if (asked.captured(1).isEmpty()) {
        first = std::max<qint64>(0, size - last);
        last = size - 1;
    } else if (asked.captured(2).isEmpty()) {
        last = std::min(size, first + LongestOpenSpan) - 1;
    }
    last = std::min(last, size - 1);
    if (first > last) {
        response.status = 416;
        response.headers.push_back({"Content-Range", "bytes */" + QByteArray::number(size)});
        return response;
    }
    file.seek(first);
    response.status = 206;
    response.body = file.read(last - first + 1);
    response.headers.push_back({"Content-Range", "bytes " + QByteArray::number(first) + "-" +
                                                     QByteArray::number(first + response.body.size() - 1) + "/" +
                                                     QByteArray::number(size)});
    return response;
}
