#include "InstalledFiles.h"
#include "core/FileWrite.h"
#include "core/mdlFunction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

// A folder is usable when a file can be created in it: the settings writer
// replaces the file through a temporary one beside it.
bool canWriteIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".write-test-XXXXXX")));
    return probe.open();
}

// A fresh file of the user's own (not the installed file's owner or mode),
// made whole or not at all; why not, or "".
QString copyContents(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return in.errorString();
    const core::Status copied = core::ReplaceFile(to, data);
    return copied ? QString() : copied.error();
}

} // namespace

QString InstalledDataFolder(const QString &programDir)
{
    const QString folder = QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(DATA_FOLDER_FROM_BIN)));
    return QFileInfo(folder).isDir() ? folder : QString();
}

SettingsLocation ChooseSettingsFolder(const QString &programDir, const QString &userFolder)
{
    const QString installed = InstalledDataFolder(programDir);
    if (installed.isEmpty())
        return {programDir, QString()};

    const auto cannotWrite = [&](const QString &why) {
        return SettingsLocation{
            installed, QStringLiteral("The settings folder \"%1\" cannot be written (%2). The band limits are read "
                                      "from \"%3\" and changes to them are not kept.")
                           .arg(QDir::toNativeSeparators(userFolder), why,
                                QDir::toNativeSeparators(core::SettingsPath(installed)))};
    };
    if (userFolder.isEmpty())
        return cannotWrite(QStringLiteral("no folder is known for this user"));
    if (!QDir().mkpath(userFolder) || !QFileInfo(userFolder).isDir())
        return cannotWrite(QStringLiteral("it cannot be created"));
    if (!canWriteIn(userFolder))
        return cannotWrite(QStringLiteral("no file can be created in it"));

    if (!QFileInfo::exists(core::SettingsPath(userFolder))) {
        // First start: the user's own copy of the installed bands. Without an
        // installed default the bands start empty and the first save makes the file.
        const QString defaults = core::SettingsPath(installed);
        if (QFileInfo(defaults).isFile()) {
            const QString why = copyContents(defaults, core::SettingsPath(userFolder));
            if (!why.isEmpty())
                return cannotWrite(QStringLiteral("the default settings could not be copied into it: %1").arg(why));
        }
    }
    return {userFolder, QString()};
}

QString HelpFilePath(const QString &programDir, const QString &fileName)
{
    for (const QString &folder : {programDir, InstalledDataFolder(programDir)}) {
        if (folder.isEmpty())
            continue;
        const QString path = QDir(folder).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

QString HelpFilePath(const QString &fileName)
{
    return HelpFilePath(QCoreApplication::applicationDirPath(), fileName);
}
