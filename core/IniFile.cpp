#include "IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace core {

namespace {

constexpr qint64 kMaxSettingsSize = 1 << 20;

bool isSectionLine(const QString &trimmed) { return trimmed.startsWith(QLatin1Char('[')); }

QString sectionName(const QString &trimmed)
{
    const int close = trimmed.indexOf(QLatin1Char(']'));
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

} // namespace

IniFile IniFile::load(const QString &path)
{
    IniFile ini;
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return ini;
    QByteArray data = file.read(kMaxSettingsSize);
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    const QString text = QString::fromUtf8(data);
    if (!text.contains(QLatin1String("\r\n")) && text.contains(QLatin1Char('\n')))
        ini.m_eol = QStringLiteral("\n");
    ini.m_lines = text.split(QLatin1Char('\n'));
    for (QString &line : ini.m_lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!ini.m_lines.isEmpty() && ini.m_lines.last().isEmpty())
        ini.m_lines.removeLast();
    return ini;
}

int IniFile::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString t = m_lines.at(i).trimmed();
        if (isSectionLine(t) && sectionName(t).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString &key) const
{
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        const QString t = m_lines.at(i).trimmed();
        if (isSectionLine(t))
            break;
        const int eq = t.indexOf(QLatin1Char('='));
        if (eq > 0 && t.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    const int s = findSection(section);
    const int k = s < 0 ? -1 : findKey(s, key);
    if (k < 0)
        return fallback;
    const QString &line = m_lines.at(k);
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString entry = key + QLatin1Char('=') + value;
    int s = findSection(section);
    if (s < 0) {
        m_lines << (QLatin1Char('[') + section + QLatin1Char(']')) << entry;
        return;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        m_lines[k] = entry;
        return;
    }
    int insertAt = s + 1;
    while (insertAt < m_lines.size() && !isSectionLine(m_lines.at(insertAt).trimmed()))
        ++insertAt;
    while (insertAt > s + 1 && m_lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    m_lines.insert(insertAt, entry);
}

Status IniFile::save(const QString &path) const
{
    // Replacing the file would pass over its read-only mark, so it is honoured here.
    const QFileInfo info(path);
    if (info.exists() && info.isFile() && !(info.permissions() & QFileDevice::WriteOwner))
        return failed(QStringLiteral("Cannot write \"%1\": the file is read-only.").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    for (const QString &line : m_lines)
        file.write((line + m_eol).toUtf8());
    if (!file.commit())
        return failed(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    return success();
}

} // namespace core
