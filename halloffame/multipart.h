// The file a page's form sends: the first part of a multipart/form-data
// body that carries a file name.
#pragma once

#include <QByteArray>

#include <optional>

std::optional<QByteArray> fileOfForm(const QByteArray& contentType, const QByteArray& body);
