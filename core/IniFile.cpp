#include "IniFile.h"
#include "FileWrite.h"

#include <QFile>
#include <QFileInfo>

namespace core {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

bool isSectionLine(const QString &trimmed) { return trimmed.startsWith(QLatin1Char('[')); }

QString sectionName(const QString &trimmed)
{
    const int close = trimmed.indexOf(QLatin1Char(']'));
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

} // namespace

Result<IniFile> IniFile::load(const QString &path)
{
    IniFile ini;
    const QFileInfo info(path);
    if (!info.exists())
        return ini;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return fail<IniFile>(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    // One byte more than allowed shows a file that is too large, whatever its size says.
    ini.m_data = file.read(kMaxSize + 1);
    if (ini.m_data.size() > kMaxSize)
        return fail<IniFile>(QStringLiteral("\"%1\" is larger than %2 bytes: it is no settings file of ours.")
                                 .arg(path)
                                 .arg(kMaxSize));
    ini.index();
    return ini;
}

Result<IniFile> IniFile::fromBytes(const QByteArray &bytes)
{
    if (bytes.size() > kMaxSize)
        return fail<IniFile>(QStringLiteral("The settings are larger than %1 bytes.").arg(kMaxSize));
    IniFile ini;
    ini.m_data = bytes;
    ini.index();
    return ini;
}

void IniFile::index()
{
    m_lines.clear();
    const qsizetype lf = m_data.indexOf('\n');
    if (lf >= 0)
        m_eol = lf > 0 && m_data.at(lf - 1) == '\r' ? QByteArray("\r\n") : QByteArray("\n");
    qsizetype pos = m_data.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (pos < m_data.size()) {
        Line line;
        line.start = pos;
        const qsizetype nl = m_data.indexOf('\n', pos);
        qsizetype textEnd = nl < 0 ? m_data.size() : nl;
        line.end = nl < 0 ? m_data.size() : nl + 1;
        if (textEnd > pos && m_data.at(textEnd - 1) == '\r')
            --textEnd;
        line.length = textEnd - pos;
        m_lines << line;
        pos = line.end;
    }
}

QString IniFile::text(const Line &line) const
{
    return QString::fromUtf8(m_data.constData() + line.start, line.length);
}

int IniFile::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString t = text(m_lines.at(i)).trimmed();
        if (isSectionLine(t) && sectionName(t).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString &key) const
{
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        const QString t = text(m_lines.at(i)).trimmed();
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
    const QString line = text(m_lines.at(k));
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

// Puts text and a line end at byte position at, which is the end of a line or of the file.
void IniFile::insertLine(qsizetype at, const QByteArray &text)
{
    QByteArray bytes = text + m_eol;
    // The file's last line may have no end of its own, or only the CR of one,
    // which the LF completes; a byte-order mark alone is no line.
    const qsizetype firstLine = m_data.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
    if (at == m_data.size() && at > firstLine && !m_data.endsWith('\n'))
        bytes.prepend(m_data.endsWith('\r') ? QByteArray("\n") : m_eol);
    m_data.insert(at, bytes);
    index();
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QByteArray entry = (key + QLatin1Char('=') + value).toUtf8();
    const int s = findSection(section);
    if (s < 0) {
        insertLine(m_data.size(), (QLatin1Char('[') + section + QLatin1Char(']')).toUtf8());
        insertLine(m_data.size(), entry);
        return;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        const Line &line = m_lines.at(k);
        m_data.replace(line.start, line.length, entry);
        index();
        return;
    }
    // After the section's last line that is not blank.
    int last = s;
    for (int i = s + 1; i < m_lines.size() && !isSectionLine(text(m_lines.at(i)).trimmed()); ++i)
        if (!text(m_lines.at(i)).trimmed().isEmpty())
            last = i;
    insertLine(m_lines.at(last).end, entry);
}

Status IniFile::save(const QString &path) const
{
    // Replacing the file would pass over its read-only mark, so it is honoured here.
    const QFileInfo info(path);
    if (info.exists() && info.isFile() && !(info.permissions() & QFileDevice::WriteOwner))
        return failed(QStringLiteral("Cannot write \"%1\": the file is read-only.").arg(path));
    const Status written = ReplaceFile(path, m_data);
    if (!written)
        return failed(QStringLiteral("Cannot write \"%1\": %2").arg(path, written.error()));
    return success();
}

} // namespace core
