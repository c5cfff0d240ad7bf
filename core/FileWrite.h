#pragma once

#include "Result.h"
#include <QByteArray>
#include <QString>

namespace core {

// Replaces the file at path with data whole, through a temporary file beside
// it. On any failure (a full disk included) the old file stays as it was, no
// temporary file is left, and the result says why in the system's words.
Status ReplaceFile(const QString &path, const QByteArray &data);

} // namespace core
