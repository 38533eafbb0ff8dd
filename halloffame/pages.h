// The hall's web pages, made on the server: the board, an entry, the
// latest uploads and the page that tells why an upload was refused, in the game's own colours
// (green on black), readable on a phone and needing no script to read or
// to send a game. Every name and text from a replay is escaped.
#pragma once

#include <QByteArray>
#include <QString>

#include <set>
#include <vector>

#include "halloffame/store.h"

QString escapeHtml(const QString& text);

// The games in moving show their video's preview in place of their final
// picture; the entries are each name's best, or every game of the board.
QByteArray boardPage(const QString& board, const QString& settings, const std::vector<Entry>& entries,
                     const std::vector<Board>& boards, const std::set<qint64>& moving = {}, bool everyGame = false);
// With its video once it is made.
QByteArray entryPage(const Entry& entry, bool video = false);
QByteArray recentPage(const std::vector<Entry>& entries);
QByteArray messagePage(const QString& title, const QString& text);
QByteArray styleSheet();
// The score at the end of each minute and at the end, as a line chart.
QString scoreChart(const Entry& entry);
