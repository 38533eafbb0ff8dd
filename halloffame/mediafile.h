// Answering for a file of the media folder, whole or the part a Range
// header asks for (one span of bytes, as a browser asks while it plays and
// seeks a video): 206 with Content-Range, 416 for a span past the end, 404
// while the file is not there. An open span is answered at most 4 MiB at a
// time, which a player asks on from; a request with no Range gets it whole.
#pragma once

#include <QByteArray>
#include <QString>

#include "halloffame/http.h"

Response mediaFile(const QString& path, const QByteArray& type, const QString& range);
