#include "mdlFunction.h"
#include "IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace core {

Result<QString> BinToHex(const QString &bits)
{
    if (bits.size() > 8)
        return QString();
    static const int weight[4] = {8, 4, 2, 1};
    QString out;
    int sum = 0;
    for (int i = 0; i < bits.size(); ++i) {
        const QChar c = bits.at(i);
        if (!c.isDigit() || c.unicode() > '9')
            return fail<QString>(QStringLiteral("Type mismatch: \"%1\" is not a bit text").arg(bits));
        sum += (c.unicode() - '0') * weight[i % 4];
        if (i % 4 == 3) {
            out += QString::number(sum, 16).toUpper();
            sum = 0;
        }
    }
    return out;
}

Result<int> HexToInt(const QString &hex)
{
    const QString text = hex.size() == 1 ? QStringLiteral("0") + hex : hex;
    // Hex digits only: toUInt would also take blanks, a sign or "0x".
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isDigit() ? c.unicode() <= '9' : (c.unicode() >= 'A' && c.unicode() <= 'F') || (c.unicode() >= 'a' && c.unicode() <= 'f');
    });
    bool ok = false;
    const uint value = digits ? text.toUInt(&ok, 16) : 0;
    if (!digits || !ok)
        return fail<int>(QStringLiteral("Type mismatch: \"%1\" is not a hexadecimal number").arg(hex));
    if (value > 0xFFFF)
        return fail<int>(QStringLiteral("Overflow: \"%1\" does not fit in 16 bits").arg(hex));
    return int(qint16(quint16(value)));
}

Result<QString> IntToBin(int value)
{
    if (value < 0 || value > 32767)
        return fail<QString>(QStringLiteral("Overflow: %1 has no bit text").arg(value));
    QString bits = QString::number(value, 2);
    if (bits.size() < 4)
        bits = bits.rightJustified(4, QLatin1Char('0'));
    return bits;
}

QString ReadIniString(const QString &section, const QString &key, const QString &path)
{
    const auto ini = IniFile::load(path);
    return ini ? ini->value(section, key).trimmed().left(127).trimmed() : QString();
}

Status WriteIniString(const QString &section, const QString &key, const QString &value, const QString &path)
{
    auto ini = IniFile::load(path);
    if (!ini)
        return failed(ini.error());
    ini.value().setValue(section, key, value.left(127));
    return ini->save(path);
}

QString SettingsPath(const QString &dir, const QString &fileName)
{
    const QString spelled = dir.endsWith(QLatin1Char('/')) ? dir + fileName : dir + QLatin1Char('/') + fileName;
    if (QFileInfo::exists(spelled))
        return spelled;
    // File names are matched without regard to case: "SFC.INI" is the same file.
    QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names)
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return spelled.left(spelled.size() - fileName.size()) + name;
    return spelled;
}

} // namespace core
