#include "ChannelCodes.h"
#include "ToneLists.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace core {

namespace {

// Only the digits 0-9, A-F and a-f: no blank, sign, prefix or NUL.
int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

Result<Byte> hexPair(QChar high, QChar low, const QString &context)
{
    const int h = hexValue(high), l = hexValue(low);
    if (h < 0 || l < 0)
        return fail<Byte>(QStringLiteral("\"%1\" does not fit its code").arg(context));
    return Byte(h * 16 + l);
}

// A tone in hertz as "000.0", rounded half away from zero on its decimal
// digits (67.05 gives 067.1), never through binary floating point.
std::optional<QString> toneText(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\+?(\\d*)(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch m = number.match(text.trimmed());
    if (!m.hasMatch() || (m.capturedLength(1) == 0 && m.capturedLength(2) == 0))
        return std::nullopt;
    const QString fraction = m.captured(2) + QStringLiteral("00");
    QString digits = m.captured(1) + fraction.at(0); // tenths
    if (fraction.at(1) >= QLatin1Char('5')) {
        int i = int(digits.size()) - 1;
        for (; i >= 0 && digits.at(i) == QLatin1Char('9'); --i)
            digits[i] = QLatin1Char('0');
        if (i < 0)
            digits.prepend(QLatin1Char('1'));
        else
            digits[i] = QChar(digits.at(i).unicode() + 1);
    }
    while (digits.size() > 4 && digits.front() == QLatin1Char('0'))
        digits.remove(0, 1);
    digits = digits.rightJustified(4, QLatin1Char('0'));
    return digits.left(digits.size() - 1) + QLatin1Char('.') + digits.back();
}

} // namespace

bool IsUsedCell(const QString &text)
{
    return !text.trimmed().isEmpty() && text != QLatin1String("OFF");
}

QString HexByte(Byte b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

Result<FrequencyCode> EncodeFrequency(const QString &s)
{
    if (s.size() != 9 || s.at(3) != QLatin1Char('.'))
        return fail<FrequencyCode>(QStringLiteral("Frequency \"%1\" is not of the form 000.00000").arg(s));
    const auto d0 = hexPair(s.at(7), s.at(8), s);
    const auto d1 = hexPair(s.at(5), s.at(6), s);
    const auto d2 = hexPair(s.at(2), s.at(4), s);
    const auto d3 = hexPair(s.at(0), s.at(1), s);
    for (const auto *r : {&d0, &d1, &d2, &d3})
        if (!r->ok())
            return fail<FrequencyCode>(QStringLiteral("Frequency \"%1\" is not of the form 000.00000").arg(s));
    return FrequencyCode{*d0, *d1, *d2, *d3};
}

QString DecodeFrequency(const QString &d0, const QString &d1, const QString &d2, const QString &d3)
{
    const QString text = d3 + d2.left(1) + QLatin1Char('.') + d2.right(1) + d1 + d0;
    return text.contains(QLatin1String("FF")) ? QStringLiteral("OFF") : text;
}

Result<ToneCode> EncodeTone(const QString &text)
{
    const auto bad = [&] { return fail<ToneCode>(QStringLiteral("QT/DQT \"%1\" does not fit its code").arg(text)); };
    const int pos = FindStringPrefix(QtDqtIndexList(), text);
    if (pos >= kFirstNormalDcs) {
        // The digits come from the cell text itself, as typed.
        if (text.size() < 4)
            return bad();
        const auto lo = hexPair(text.at(2), text.at(3), text);
        const auto hi = hexPair(pos >= kFirstInvertedDcs ? QLatin1Char('C') : QLatin1Char('8'), text.at(1), text);
        if (!lo || !hi)
            return bad();
        return ToneCode{*lo, *hi};
    }
    const std::optional<QString> tone = toneText(text);
    // 800 Hz and more would come back as a DCS code, whose top digit is 8.
    if (!tone || tone->size() != 5 || tone->front() == QLatin1Char('8'))
        return bad();
    const QString &u = *tone; // "000.0"
    const auto lo = hexPair(u.at(2), u.at(4), text);
    const auto hi = hexPair(u.at(0), u.at(1), text);
    if (!lo || !hi)
        return bad();
    return ToneCode{*lo, *hi};
}

QString DecodeTone(const QString &lo, const QString &hi)
{
    QString text;
    if (hi.startsWith(QLatin1Char('8')))
        text = QLatin1Char('D') + hi.right(1) + lo + QLatin1Char('N');
    else if (hi.startsWith(QLatin1Char('C')))
        text = QLatin1Char('D') + hi.right(1) + lo + QLatin1Char('I');
    else {
        text = hi + lo.left(1) + QLatin1Char('.') + lo.right(1);
        if (text.startsWith(QLatin1Char('0')))
            text = text.right(4);
    }
    return text.contains(QLatin1String("FF")) ? QStringLiteral("OFF") : text;
}

Byte BusyByte(const QString &text) { return text == QLatin1String("Yes") ? 0x00 : 0xFF; }
Byte WideNarrowByte(const QString &text) { return text == QLatin1String("W") ? 0xFF : 0xFC; }

Byte PowerByte(const QString &text, Qt::CaseSensitivity cs)
{
    if (text.compare(QLatin1String("High"), cs) == 0)
        return 0xFF;
    if (text.compare(QLatin1String("Middle"), cs) == 0)
        return 0x55;
    return 0x00;
}

QString DecodeBusy(const QString &token) { return token == QLatin1String("00") ? QStringLiteral("Yes") : QStringLiteral("No"); }
QString DecodeWideNarrow(const QString &token) { return token == QLatin1String("FF") ? QStringLiteral("W") : QStringLiteral("N"); }

QString DecodePower(const QString &token, const QString &current)
{
    if (token == QLatin1String("FF"))
        return QStringLiteral("High");
    if (token == QLatin1String("55"))
        return QStringLiteral("Middle");
    if (token == QLatin1String("00"))
        return QStringLiteral("Low");
    return current;
}

Result<QString> ReadFrequency(const QString &d0, const QString &d1, const QString &d2, const QString &d3)
{
    const QString digits = d3 + d2 + d1 + d0;
    if (digits == QLatin1String("FFFFFFFF"))
        return QStringLiteral("OFF");
    const bool decimal = digits.size() == 8 && std::all_of(digits.begin(), digits.end(), [](QChar c) {
        return c.unicode() >= '0' && c.unicode() <= '9';
    });
    if (!decimal)
        return fail<QString>(QStringLiteral("code \"%1 %2 %3 %4\" is no frequency").arg(d0, d1, d2, d3));
    return DecodeFrequency(d0, d1, d2, d3);
}

Result<QString> ReadTone(const QString &lo, const QString &hi)
{
    const QString text = DecodeTone(lo, hi);
    const auto code = text == QLatin1String("OFF") ? Result<ToneCode>(ToneCode{0xFF, 0xFF}) : EncodeTone(text);
    if (!code || HexByte((*code)[0]) != lo || HexByte((*code)[1]) != hi)
        return fail<QString>(QStringLiteral("code \"%1 %2\" is no tone").arg(lo, hi));
    return text;
}

namespace {

Result<QString> readByte(const QString &token, std::initializer_list<std::pair<const char *, const char *>> table,
                         const char *what)
{
    for (const auto &[code, text] : table)
        if (token == QLatin1String(code))
            return QString::fromLatin1(text);
    return fail<QString>(QStringLiteral("code \"%1\" is no %2").arg(token, QLatin1String(what)));
}

} // namespace

Result<QString> ReadBusy(const QString &token) { return readByte(token, {{"00", "Yes"}, {"FF", "No"}}, "busy lock"); }
Result<QString> ReadWideNarrow(const QString &token) { return readByte(token, {{"FF", "W"}, {"FC", "N"}}, "bandwidth"); }
Result<QString> ReadPower(const QString &token)
{
    return readByte(token, {{"FF", "High"}, {"55", "Middle"}, {"00", "Low"}}, "power");
}

} // namespace core
