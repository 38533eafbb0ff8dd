// The HTML of each page and its one style sheet.
#include "halloffame/pages.h"

#include <QDateTime>

namespace {

QString date(qint64 ms) {
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'"));
}

QString length(qint64 ms) {
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString shownName(const QString& name) { return name.isEmpty() ? QStringLiteral("(no name)") : name; }

// A game this version of the game plays to another end keeps its place, marked.
QString earlierMark(const Entry& entry) {
    return entry.earlierVersion ? QStringLiteral(" <small class=\"earlier\">(earlier version)</small>") : QString();
}

const char* const Form = R"(<form class="send" method="post" action="/entries" enctype="multipart/form-data">
<label>Send a game: <input type="file" name="replay" accept=".vorlane-replay" required></label>
<button type="submit">Send</button>
</form>)";

QByteArray page(const QString& title, const QString& body) {
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
               "<title>%1</title><link rel=\"stylesheet\" href=\"/style.css\">"
               "<link rel=\"icon\" href=\"/icon.png\"><link rel=\"alternate\" type=\"application/atom+xml\" "
               "title=\"New first places\" href=\"/feed.atom\"></head>\n<body><header><a href=\"/\">Vorlane hall of "
               "fame</a> <a class=\"recent\" href=\"/recent\">Latest games</a></header>\n<main>\n<h1>%1</h1>\n%2\n%3</main></body></html>\n")
        .arg(escapeHtml(title), body, QString::fromLatin1(Form))
        .toUtf8();
}

}  // namespace

QString escapeHtml(const QString& text) { return text.toHtmlEscaped().replace(QLatin1Char('\''), "&#39;"); }

QByteArray boardPage(const QString& board, const QString& settings, const std::vector<Entry>& entries,
                     const std::vector<Board>& boards, const std::set<qint64>& moving, bool everyGame) {
    QString body = QStringLiteral("<p class=\"settings\">%1</p>\n").arg(escapeHtml(settings));
    if (entries.empty()) body += QStringLiteral("<p>No game on this board yet: send the first.</p>\n");
    else
        body += QStringLiteral(
            "<table><thead><tr><th>Rank</th><th>Name</th><th>Score</th><th>Wave</th><th>Played</th>"
            "<th>End</th></tr></thead><tbody>\n");
    for (const Entry& entry : entries) {
        const QString link = QStringLiteral("/entries/%1").arg(entry.id);
        body += QStringLiteral(
                    "<tr><td>%1</td><td><a href=\"%2\">%3</a>%7</td><td>%4</td><td>%5</td><td>%6</td>"
                    "<td><a href=\"%2\"><img src=\"%2%8\" alt=\"the end of the game\" width=\"157\" "
                    "height=\"109\" loading=\"lazy\"></a></td></tr>\n")
                    .arg(QString::number(entry.rank), link, escapeHtml(shownName(entry.name)),
                         QString::number(entry.score, 'f', 0), QString::number(entry.wave), date(entry.played),
                         earlierMark(entry),
                         moving.count(entry.id) ? QStringLiteral("-preview.webp") : QStringLiteral(".png"));
    }
    if (!entries.empty()) body += QStringLiteral("</tbody></table>\n");
    body += everyGame ? QStringLiteral("<p>Every game on this board. <a href=\"/boards/%1\">Each name's best game "
                                       "once</a>.</p>\n")
                            .arg(escapeHtml(board))
                      : QStringLiteral("<p>Each name's best game once. <a href=\"/boards/%1?every=1\">Every game on "
                                       "this board</a>.</p>\n")
                            .arg(escapeHtml(board));
    body += QStringLiteral("<nav><h2>Boards</h2><ul>\n");
    for (const Board& other : boards)
        body += QStringLiteral("<li><a href=\"/boards/%1\">%2</a> (%3)</li>\n")
                    .arg(escapeHtml(other.board), escapeHtml(other.board), QString::number(other.entries));
    body += QStringLiteral("</ul></nav>\n");
    const QString title = board == QLatin1String("standard") ? QStringLiteral("The standard board")
                                                             : QStringLiteral("Board %1").arg(board);
    return page(title, body);
}

QString scoreChart(const Entry& entry) {
    std::vector<double> scores = entry.scoreByMinute;
    scores.push_back(entry.score);
    const double top = std::max(1.0, *std::max_element(scores.begin(), scores.end()));
    const double width = 300, height = 120;
    QString points = QStringLiteral("0,%1").arg(height);
    for (std::size_t n = 0; n < scores.size(); ++n)
        points += QStringLiteral(" %1,%2")
                      .arg(width * double(n + 1) / double(scores.size()), 0, 'f', 1)
                      .arg(height - height * scores[n] / top, 0, 'f', 1);
    return QStringLiteral(
               "<svg class=\"chart\" viewBox=\"0 0 %1 %2\" role=\"img\" aria-label=\"the score over the game's "
               "minutes\"><polyline points=\"%3\" fill=\"none\" stroke=\"#00ff00\" stroke-width=\"2\"/></svg>")
        .arg(width)
        .arg(height)
        .arg(points);
}

QByteArray entryPage(const Entry& entry, bool video) {
    const QString title = QStringLiteral("%1: %2").arg(shownName(entry.name), QString::number(entry.score, 'f', 0));
    QString body;
    if (entry.status == QLatin1String("queued")) {
        body = QStringLiteral("<p>This game is being checked: the hall plays it back before it is ranked. "
                              "Come back in a moment.</p>\n");
    } else if (entry.status != QLatin1String("verified")) {
        body = QStringLiteral("<p>This replay did not prove a game: %1</p>\n").arg(escapeHtml(entry.reason));
    } else {
        const QString shown =
            video ? QStringLiteral("<p><video class=\"game\" controls preload=\"metadata\" poster=\"/entries/%1.png\" "
                                   "src=\"/entries/%1.webm\" width=\"627\" height=\"436\"></video></p>\n")
                  : QStringLiteral("<p><img class=\"end\" src=\"/entries/%1.png\" alt=\"the play area at the game's "
                                   "end\" width=\"627\" height=\"436\"></p>\n<p class=\"making\">The video of this "
                                   "game is being made.</p>\n");
        body = QString(shown + QStringLiteral(
                   "<h2>Score by minute</h2>\n%2\n<dl>"
                   "<dt>Rank</dt><dd>%3 on <a href=\"/boards/%4\">%4</a></dd>"
                   "<dt>Score</dt><dd>%5</dd><dt>Wave</dt><dd>%6</dd><dt>Settings</dt><dd>%7</dd>"
                   "<dt>Length</dt><dd>%8</dd><dt>Played</dt><dd>%9 (as the file says)</dd>"
                   "<dt>Sent</dt><dd>%10</dd><dt>Recorded by</dt><dd>Vorlane %11</dd>"
                   "<dt>Proven by</dt><dd>Vorlane %12</dd></dl>\n"))
                   .arg(QString::number(entry.id), scoreChart(entry), QString::number(entry.rank),
                        escapeHtml(entry.board), QString::number(entry.score, 'f', 0), QString::number(entry.wave),
                        escapeHtml(entry.settings), length(entry.lengthMs), date(entry.played), date(entry.sent),
                        escapeHtml(entry.gameVersion), escapeHtml(entry.provenBy));
        if (entry.earlierVersion)
            body += QStringLiteral(
                        "<p class=\"earlier\">From an earlier version: Vorlane %1 proved this game, and this hall's "
                        "Vorlane %2 plays its replay to another end. It keeps its place as Vorlane %1 proved it.</p>\n")
                        .arg(escapeHtml(entry.provenBy), escapeHtml(provingVersion()));
    }
    body += QStringLiteral(
                "<p><a href=\"/entries/%1.vorlane-replay\">Download the replay</a>. To watch it, open the file, "
                "or run <code>vorlane --replay FILE</code>.</p>\n")
                .arg(entry.id);
    return page(title, body);
}

QByteArray recentPage(const std::vector<Entry>& entries) {
    QString body = QStringLiteral(
        "<table><thead><tr><th>Sent</th><th>Name</th><th>Score</th><th>Board</th><th>Proof</th></tr></thead>"
        "<tbody>\n");
    for (const Entry& entry : entries) {
        const QString proof = entry.status == QLatin1String("queued")     ? QStringLiteral("being checked")
                              : entry.status == QLatin1String("verified") ? QStringLiteral("proven")
                                                                          : QStringLiteral("refused");
        body += QStringLiteral("<tr><td>%1</td><td><a href=\"/entries/%2\">%3</a></td><td>%4</td><td>%5</td>"
                               "<td>%6</td></tr>\n")
                    .arg(date(entry.sent), QString::number(entry.id), escapeHtml(shownName(entry.name)),
                         QString::number(entry.score, 'f', 0), escapeHtml(entry.board), proof);
    }
    return page(QStringLiteral("Latest games"), body + QStringLiteral("</tbody></table>\n"));
}

QByteArray messagePage(const QString& title, const QString& text) {
    return page(title, QStringLiteral("<p>%1</p>\n").arg(escapeHtml(text)));
}

QByteArray styleSheet() {
    return "body{background:#000;color:#0f0;font-family:sans-serif;margin:0 auto;max-width:60em;padding:1em}\n"
           "a{color:#ff0}h1,h2{color:#0f0}header a{color:#0f0;font-weight:bold;text-decoration:none}\n"
           "header .recent{float:right;font-weight:normal}\n"
           "table{border-collapse:collapse;width:100%}td,th{border-bottom:1px solid #060;padding:.3em;"
           "text-align:left}\n"
           "img,video{max-width:100%;height:auto;image-rendering:pixelated}.chart{width:100%;max-width:30em;"
           "background:#010}\n"
           ".settings{color:#0a0}.send{margin-top:2em;border-top:1px solid #060;padding-top:1em}\n"
           "dt{color:#0a0}dd{margin:0 0 .5em 1em}.earlier{color:#fa0}\n";
}
