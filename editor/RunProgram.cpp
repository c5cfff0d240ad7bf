#include "RunProgram.h"
#include "EndSignals.h"
#include "mainFrm.h"

#include "common/InstalledFiles.h"
#include "common/QtUserDialogs.h"
#include "common/SerialLink.h"
#include "common/frmSplash.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

mainFrm::Environment ProgramEnvironment(const QString &programDir, const QString &userSettingsFolder,
                                        const QString &privateFolder, UserDialogs &dialogs)
{
    mainFrm::Environment env;
    const SettingsLocation settings = ChooseSettingsFolder(programDir, userSettingsFolder);
    env.programDir = programDir;
    env.settingsDir = settings.folder;
    if (!settings.problem.isEmpty())
        dialogs.message(nullptr, settings.problem, QString(), UserDialogs::Icon::Warning);
    // Private per-user files: the received scratch file and the print script.
    env.dataDir = privateFolder;
    MakePrivateFolder(env.dataDir);
    return env;
}

int RunEditorProgram(int argc, char *argv[], const Family &(*familyOf)())
{
    QApplication app(argc, argv);
    const Family &family = familyOf();
    QApplication::setApplicationName(family.title);
    initCommonImages();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/program.png")));

    QtUserDialogs dialogs(family.title);
    const mainFrm::Environment env =
        ProgramEnvironment(QCoreApplication::applicationDirPath(),
                           QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                           QFileInfo(ReceivedScratchPath()).path(), dialogs);

    std::unique_ptr<mainFrm> window;
    frmSplash splash;
    QObject::connect(&splash, &frmSplash::showMainWindow, [&] {
        if (!window) {
            window = std::make_unique<mainFrm>(family, dialogs, env);
            QObject::connect(window.get(), &mainFrm::programEnded, &app, &QCoreApplication::quit);
            window->show();
        }
    });
    // Ended from outside, the program ends as on Exit: no transfer left
    // running, the port closed and its lock gone. Queued, because showing the
    // splash may already deliver the signal, before exec(), where quit() is
    // ignored.
    EndSignals ends;
    QObject::connect(
        &ends, &EndSignals::received, &app,
        [&] {
            if (!window) {
                QCoreApplication::quit();
                return;
            }
            window->endProgram();
        },
        Qt::QueuedConnection);
    splash.show();
    return app.exec();
}
