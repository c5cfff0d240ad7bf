#include "HelpViewer.h"

#include "common/InstalledFiles.h"
#include "common/UserDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

void HelpViewer::show(const QString &path, UserDialogs &dialogs, QWidget *parent) const
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        dialogs.message(parent, QStringLiteral("The help file \"%1\" is missing.").arg(shown), QStringLiteral("Information"),
                        UserDialogs::Icon::Information);
        return;
    }
    QProcess viewer;
    viewer.setProgram(m_program);
    viewer.setArguments({path});
    viewer.setStandardInputFile(QProcess::nullDevice());
    if (viewer.startDetached())
        return;
    dialogs.message(parent,
                    QStringLiteral("The help file \"%1\" cannot be opened: %2 could not be started (%3).")
                        .arg(shown, m_program, viewer.errorString()),
                    QStringLiteral("Information"), UserDialogs::Icon::Information);
}

QString HelpViewer::filePath(const QString &programDir, const QString &helpFile)
{
    if (helpFile.isEmpty())
        return QString();
    const QString found = HelpFilePath(programDir, helpFile);
    return found.isEmpty() ? QDir(programDir).filePath(helpFile) : found;
}
