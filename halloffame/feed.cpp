// Writing the feed's XML.
#include "halloffame/feed.h"

#include <QDateTime>

#include "halloffame/pages.h"

namespace {

QString atomDate(qint64 ms) { return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODate); }

}  // namespace

QByteArray firstPlacesFeed(const std::vector<Entry>& firstPlaces) {
    const qint64 updated = firstPlaces.empty() ? 0 : firstPlaces.front().sent;
    QString feed = QStringLiteral(
                       "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<feed xmlns=\"http://www.w3.org/2005/Atom\">\n"
                       "<title>Vorlane hall of fame: new first places</title>\n<id>tag:vorlane-hall,2026:first-places</id>\n"
                       "<link rel=\"alternate\" href=\"/\"/>\n<updated>%1</updated>\n")
                       .arg(atomDate(updated));
    for (const Entry& entry : firstPlaces) {
        const QString name = entry.name.isEmpty() ? QStringLiteral("(no name)") : entry.name;
        feed += QStringLiteral(
                    "<entry><title>%1 is first on %2 with %3</title><id>tag:vorlane-hall,2026:entry-%4</id>"
                    "<link href=\"/entries/%4\"/><updated>%5</updated><author><name>%1</name></author>"
                    "<summary>Wave %6, %7, played %8 (as the file says)</summary></entry>\n")
                    .arg(escapeHtml(name), escapeHtml(entry.board), QString::number(entry.score, 'f', 0),
                         QString::number(entry.id), atomDate(entry.sent), QString::number(entry.wave),
                         escapeHtml(entry.settings), atomDate(entry.played));
    }
    return (feed + QStringLiteral("</feed>\n")).toUtf8();
}
