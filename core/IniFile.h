#pragma once

#include "Result.h"
#include <QString>
#include <QStringList>

namespace core {

// The settings-file format: "[section]" lines and "key=value" lines, names
// matched without regard to case, blanks around names and values ignored.
// A write changes only its own key and keeps every other line as it was.
class IniFile {
public:
    // Never fails: a missing, unreadable or oversized file reads as empty.
    static IniFile load(const QString &path);

    QString value(const QString &section, const QString &key, const QString &fallback = QString()) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    Status save(const QString &path) const;

    QStringList lines() const { return m_lines; }

private:
    int findSection(const QString &section) const;
    int findKey(int sectionLine, const QString &key) const;

    QStringList m_lines;
    QString m_eol = QStringLiteral("\r\n");
};

} // namespace core
