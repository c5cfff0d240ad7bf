#pragma once

#include "Result.h"
#include <QByteArray>
#include <QList>
#include <QString>

namespace core {

// The settings-file format: "[section]" lines and "key=value" lines, names
// matched without regard to case, blanks around names and values ignored.
// The file is kept as its bytes: a write changes only its own line and keeps
// everything else as it was, byte for byte (other encodings, a byte-order
// mark, CR characters, other sections).
class IniFile {
public:
    static constexpr qint64 kMaxSize = 1 << 20;

    // A missing file is an empty one; an unreadable file or one larger than
    // kMaxSize is an error, never read in part.
    static Result<IniFile> load(const QString &path);
    // The same from bytes already read; more than kMaxSize is an error.
    static Result<IniFile> fromBytes(const QByteArray &bytes);

    QString value(const QString &section, const QString &key, const QString &fallback = QString()) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    Status save(const QString &path) const;

    const QByteArray &bytes() const { return m_data; }

private:
    struct Line {
        qsizetype start = 0;  // first byte of the text, after a byte-order mark on line 1
        qsizetype length = 0; // the text without its line end
        qsizetype end = 0;    // one past the line end
    };

    void index();
    QString text(const Line &line) const;
    int findSection(const QString &section) const;
    int findKey(int sectionLine, const QString &key) const;
    void insertLine(qsizetype at, const QByteArray &text);

    QByteArray m_data;
    QList<Line> m_lines;
    QByteArray m_eol = "\r\n";
};

} // namespace core
