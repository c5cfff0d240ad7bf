#pragma once

#include "Result.h"
#include <QString>

// The small text conversions that the setting-byte builders and the image
// decoders share, and the settings-file lookup.
namespace core {

// "10100000" -> "A0"; 4..7 characters give the high digit alone, fewer give "".
// A character that is not a decimal digit is an error.
Result<QString> BinToHex(const QString &bits);

// One or more hex digits as a 16-bit signed number ("FFFF" is -1).
Result<int> HexToInt(const QString &hex);

// 0 -> "0000", 5 -> "0101", 32 -> "100000". Negative values are an error.
Result<QString> IntToBin(int value);

// The trimmed value of key in section of the settings file at path, cut to
// 127 characters; "" when the file, section or key is absent or unreadable.
QString ReadIniString(const QString &section, const QString &key, const QString &path);

// Sets key in section, keeping the rest of the file byte for byte. A file
// that cannot be read whole or written is an error and stays as it was.
Status WriteIniString(const QString &section, const QString &key, const QString &value, const QString &path);

// The settings file beside the program: dir, a separator unless dir ends in
// one, and the name of the file there that is fileName in any spelling of
// case; fileName itself when there is none.
QString SettingsPath(const QString &dir, const QString &fileName = QStringLiteral("Sfc.ini"));

} // namespace core
