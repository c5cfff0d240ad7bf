#pragma once

#include "MemoryImage.h"
#include "Result.h"
#include <QList>
#include <QStringList>

namespace core {

// The tokens of the lines that a loader uses; tokens t4..t11 are checked hex
// and come as two upper-case digits, whatever their case or length in the file.
struct ChpLines {
    QList<QStringList> lines;
};

namespace chp {

constexpr int kLinesRead = 34;
constexpr int kTokensPerLine = 12;

// "52 00 10 08 50 62 25 46 50 62 25 46": one line per image block.
QString FormatLine(int block, const Block &data);
QStringList FormatImage(const MemoryImage &image);

// Writes all 128 lines with CRLF through a temporary file beside path, so a
// failed save leaves the old file as it was.
Status Save(const QString &path, const MemoryImage &image);

// Reads and checks lines 1..count of a chp file or of the received scratch
// file (LF or CRLF, lines may end with a blank). Reads no more than it needs.
Result<ChpLines> Read(const QString &path, int count = kLinesRead);
Result<ChpLines> Parse(const QByteArray &text, int count = kLinesRead);

} // namespace chp
} // namespace core
