// Cutting a multipart body at its boundaries.
#include "halloffame/multipart.h"

std::optional<QByteArray> fileOfForm(const QByteArray& contentType, const QByteArray& body) {
    if (!contentType.trimmed().toLower().startsWith("multipart/form-data")) return std::nullopt;
    const int at = contentType.indexOf("boundary=");
    if (at < 0) return std::nullopt;
    QByteArray boundary = contentType.mid(at + 9);
    const int end = boundary.indexOf(';');
    if (end >= 0) boundary.truncate(end);
    boundary = boundary.trimmed();
    if (boundary.startsWith('"') && boundary.endsWith('"') && boundary.size() >= 2)
        boundary = boundary.mid(1, boundary.size() - 2);
    if (boundary.isEmpty()) return std::nullopt;
    const QByteArray delimiter = "--" + boundary;
    qsizetype from = body.indexOf(delimiter);
    while (from >= 0) {
        const qsizetype headersAt = from + delimiter.size() + 2;
        const qsizetype headersEnd = body.indexOf("\r\n\r\n", headersAt);
        if (headersEnd < 0) return std::nullopt;
        const qsizetype next = body.indexOf("\r\n" + delimiter, headersEnd + 4);
        if (next < 0) return std::nullopt;
        const QByteArray headers = body.mid(headersAt, headersEnd - headersAt).toLower();
        if (headers.contains("filename=")) return body.mid(headersEnd + 4, next - headersEnd - 4);
        from = next + 2;
    }
    return std::nullopt;
}
