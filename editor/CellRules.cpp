#include "CellRules.h"

#include <QRegularExpression>
#include <optional>

namespace cellrules {

namespace {

struct Decimal {
    bool negative = false;
    QString integer;  // as typed, leading zeros kept
    QString fraction; // as typed
};

std::optional<Decimal> Parse(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch m = number.match(text.trimmed());
    if (!m.hasMatch() || (m.capturedLength(2) == 0 && m.capturedLength(3) == 0))
        return std::nullopt;
    return Decimal{m.captured(1) == QLatin1String("-"), m.captured(2), m.captured(3)};
}

// Decimal digits rounded to `places` decimals, half away from zero, without
// going through binary floating point (462.562505 must round up).
QString RoundedDigits(const Decimal &d, int places, int minIntegerDigits)
{
    QString fraction = d.fraction.leftJustified(places + 1, QLatin1Char('0'));
    const bool roundUp = fraction.at(places) >= QLatin1Char('5');
    QString digits = d.integer + fraction.left(places);
    if (roundUp) {
        int i = digits.size() - 1;
        for (; i >= 0 && digits.at(i) == QLatin1Char('9'); --i)
            digits[i] = QLatin1Char('0');
        if (i >= 0)
            digits[i] = QChar(digits.at(i).unicode() + 1);
        else
            digits.prepend(QLatin1Char('1'));
    }
    QString integer = digits.left(digits.size() - places);
    const QString decimals = digits.right(places);
    while (!integer.isEmpty() && integer.front() == QLatin1Char('0'))
        integer.remove(0, 1);
    integer = integer.rightJustified(minIntegerDigits, QLatin1Char('0'));
    const bool zero = !digits.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return (d.negative && !zero ? QStringLiteral("-") : QString()) + integer + QLatin1Char('.') + decimals;
}

QString Format(const QString &text, int minIntegerDigits)
{
    const std::optional<Decimal> d = Parse(text);
    return d ? RoundedDigits(*d, 5, minIntegerDigits) : text;
}

} // namespace

bool IsNumeric(const QString &text)
{
    return Parse(text).has_value();
}

QString FormatCell(const QString &text)
{
    return Format(text, 3);
}

QString FormatEditor(const QString &text)
{
    return Format(text, 0);
}

bool IsBandText(const QString &bandLabel)
{
    static const QRegularExpression form(QStringLiteral("^\\d{3}MHz---\\d{3}MHz$"));
    return form.match(bandLabel).hasMatch();
}

Verdict CheckFrequency(const QString &text, const QString &bandLabel)
{
    bool lowerOk = false, upperOk = false;
    const int lower = bandLabel.mid(0, 3).trimmed().toInt(&lowerOk);
    const int upper = bandLabel.mid(9, 3).trimmed().toInt(&upperOk);
    const std::optional<Decimal> d = Parse(text);
    if (!lowerOk || !upperOk || !d)
        return Verdict::NotNumeric;

    // Only three integer digits fit the frequency code; 1234 MHz must not pass as 123.
    if (d->integer.size() > 3 || d->negative)
        return Verdict::OutOfRange;
    const int mhz = d->integer.isEmpty() ? 0 : d->integer.toInt();
    if (mhz < lower || mhz > upper)
        return Verdict::OutOfRange;

    // Hz rounded to a whole number, from the digits themselves.
    const QString hzDigits = RoundedDigits(Decimal{false, d->integer, d->fraction}, 6, 1).remove(QLatin1Char('.'));
    const qint64 hz = hzDigits.toLongLong();
    if (hz % 6250 != 0 && hz % 5000 != 0)
        return Verdict::OffStep;
    return Verdict::Valid;
}

} // namespace cellrules
