#include "ChpFile.h"
#include "FileWrite.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace core::chp {

namespace {

// Far more than a chp line needs, yet a file that is no chp file is not read whole into memory.
constexpr qint64 kMaxLineLength = 4096;

bool isHexToken(const QString &t)
{
    if (t.isEmpty() || t.size() > 2)
        return false;
    for (QChar c : t) {
        const char l = c.toLatin1();
        if (!((l >= '0' && l <= '9') || (l >= 'A' && l <= 'F') || (l >= 'a' && l <= 'f')))
            return false;
    }
    return true;
}

Result<ChpLines> parseDevice(QIODevice &in, int count)
{
    ChpLines out;
    for (int n = 1; n <= count; ++n) {
        if (in.atEnd())
            return fail<ChpLines>(n == 1 ? QStringLiteral("The file is empty.")
                                         : QStringLiteral("Line %1 is missing: a chp file has at least %2 lines.").arg(n).arg(count));
        // A whole line: its end, CR LF or LF, is read with it or the line is too long.
        QByteArray bytes = in.readLine(kMaxLineLength + 3);
        const bool whole = bytes.endsWith('\n') || in.atEnd();
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        if (!whole || bytes.size() > kMaxLineLength)
            return fail<ChpLines>(QStringLiteral("Line %1 is longer than %2 characters: it is no chp line.")
                                      .arg(n)
                                      .arg(kMaxLineLength));
        if (n == 1 && bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3); // a byte-order mark that an editor put in front
        // Blanks and tabs at the end are ignored, as are tokens after the twelfth.
        while (bytes.endsWith(' ') || bytes.endsWith('\t'))
            bytes.chop(1);
        for (char c : bytes)
            if (uchar(c) < 0x20 || uchar(c) > 0x7E)
                return fail<ChpLines>(QStringLiteral("Line %1 is not text.").arg(n));
        QStringList tokens = QString::fromLatin1(bytes).split(QLatin1Char(' '));
        if (tokens.size() < kTokensPerLine)
            return fail<ChpLines>(QStringLiteral("Line %1 has %2 tokens; a chp line has twelve.").arg(n).arg(tokens.size()));
        for (int t = 4; t < kTokensPerLine; ++t) {
            if (!isHexToken(tokens.at(t)))
                return fail<ChpLines>(QStringLiteral("Line %1, token %2 (\"%3\") is not hexadecimal.").arg(n).arg(t + 1).arg(tokens.at(t)));
            // One spelling per byte from here on: "ff" reads as "FF", "f" as "0F".
            tokens[t] = tokens.at(t).toUpper().rightJustified(2, QLatin1Char('0'));
        }
        out.lines << tokens;
    }
    return out;
}

} // namespace

QString FormatLine(int block, const Block &data)
{
    const BlockAddress a = AddressOfBlock(block);
    QString line = QStringLiteral("52 0%1 %2 08").arg(int(a.high)).arg(HexByte(a.low));
    for (Byte b : data)
        line += QLatin1Char(' ') + HexByte(b);
    return line;
}

QStringList FormatImage(const MemoryImage &image)
{
    QStringList lines;
    for (int k = 0; k < kBlockCount; ++k)
        lines << FormatLine(k, image.block(k));
    return lines;
}

Status Save(const QString &path, const MemoryImage &image)
{
    QByteArray text;
    for (const QString &line : FormatImage(image))
        text += line.toLatin1() + "\r\n";
    const Status written = ReplaceFile(path, text);
    if (!written)
        return failed(QStringLiteral("Cannot save \"%1\": %2").arg(path, written.error()));
    return success();
}

Result<ChpLines> Read(const QString &path, int count)
{
    QFile file(path);
    if (QFileInfo(path).isDir())
        return fail<ChpLines>(QStringLiteral("\"%1\" is a folder, not a chp file.").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return fail<ChpLines>(QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString()));
    return parseDevice(file, count);
}

Result<ChpLines> Parse(const QByteArray &text, int count)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return parseDevice(buffer, count);
}

} // namespace core::chp
