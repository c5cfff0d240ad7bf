#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

namespace testsupport {

// A 64 KiB tmpfs of the test's own, to be filled up to a chosen free space.
// Mounting needs root (as on CI); elsewhere mounted() is false and why()
// says so, for QSKIP. The file system is unmounted when this goes.
class SmallDisk {
public:
    static constexpr qint64 kSize = 64 * 1024;

    SmallDisk()
    {
        QProcess mount;
        mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                              QStringLiteral("size=%1").arg(kSize), QStringLiteral("tmpfs"), m_dir.path()});
        if (!mount.waitForFinished(10000) || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0) {
            const QString said = QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
            m_why = QStringLiteral("cannot mount a small tmpfs for the full-disk case (needs root): %1")
                        .arg(said.isEmpty() ? mount.errorString() : said);
            return;
        }
        m_mounted = true;
    }
    ~SmallDisk()
    {
        if (m_mounted && QProcess::execute(QStringLiteral("umount"), {m_dir.path()}) != 0)
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_dir.path()});
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    // The two full-disk cases every test of a save takes: nothing free, and
    // less than a file's worth.
    static void addFreeSpaceRows()
    {
        QTest::addColumn<qint64>("freeBytes");
        QTest::newRow("no space") << qint64(0);
        QTest::newRow("4 KiB free") << qint64(4096);
    }

    bool mounted() const { return m_mounted; }
    QByteArray why() const { return m_why.toUtf8(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Takes all but freeBytes (whole pages) of the space with a filler file.
    bool fill(qint64 freeBytes)
    {
        QFile filler(filePath(fillerName()));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray page(4096, 'f');
        while (filler.write(page) == page.size()) {
        }
        filler.close();
        if (freeBytes > 0 && !filler.resize(filler.size() - freeBytes))
            return false;
        return QStorageInfo(path()).bytesAvailable() == freeBytes;
    }

    // The files on the disk besides the filler, hidden ones included.
    QStringList files() const
    {
        QStringList names = QDir(path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.removeAll(fillerName());
        return names;
    }

private:
    static QString fillerName() { return QStringLiteral("filler"); }
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_why;
};

} // namespace testsupport
