#pragma once

#include <QString>

// The text rules of the channel cells: how a typed frequency is shown and
// which frequencies a cell accepts. No widgets, so they can be checked alone.
namespace cellrules {

// Optional blanks and sign, digits with at most one point, at least one digit.
// "462." is a number (the user is still typing); "." and "4e" are not.
bool IsNumeric(const QString &text);

// The cell form "000.00000": at least three integer digits, five decimals,
// rounded half away from zero. Empty stays empty; other non-numbers are unchanged.
QString FormatCell(const QString &text);

// The editor form "##.00000": as FormatCell without leading zeros (0.5 gives ".50000").
QString FormatEditor(const QString &text);

enum class Verdict {
    Valid,
    NotNumeric,  // the text or the band label carries no number: the cell becomes "OFF"
    OutOfRange,  // whole MHz outside the band, or more than three integer digits
    OffStep,     // neither a multiple of 6.25 kHz nor of 5 kHz
};

// Whether the band label has the band form "400MHz---470MHz": three digits
// for each limit, where the check reads them.
bool IsBandText(const QString &bandLabel);

// The band label reads "400MHz---470MHz": limits in characters 1-3 and 10-12,
// both inclusive, compared with the whole MHz of the text.
Verdict CheckFrequency(const QString &text, const QString &bandLabel);

} // namespace cellrules
