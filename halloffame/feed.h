// The hall's Atom feed: each game that took the first place of its board,
// newest first, so a player hears of a new record without looking. Every
// name and text is escaped.
#pragma once

#include <QByteArray>

#include <vector>

#include "halloffame/store.h"

QByteArray firstPlacesFeed(const std::vector<Entry>& firstPlaces);
