#include "RunProgram.h"
#include "EndSignals.h"
#include "mainFrm.h"

#include "common/QtUserDialogs.h"
#include "common/SerialLink.h"
#include "common/frmSplash.h"

#include <QApplication>
#include <QFileInfo>

int RunEditorProgram(int argc, char *argv[], const Family &(*familyOf)())
{
    QApplication app(argc, argv);
    const Family &family = familyOf();
    QApplication::setApplicationName(family.title);
    initCommonImages();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/program.png")));

    mainFrm::Environment env;
    env.programDir = QCoreApplication::applicationDirPath();
    // Private per-user files: the received scratch file and the print script.
    env.dataDir = QFileInfo(ReceivedScratchPath()).path();
    MakePrivateFolder(env.dataDir);

    QtUserDialogs dialogs(family.title);
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
    // running, the port closed and its lock gone.
    EndSignals ends;
    QObject::connect(&ends, &EndSignals::received, &app, [&] {
        if (!window) {
            QCoreApplication::quit();
            return;
        }
        window->endProgram();
    });
    splash.show();
    return app.exec();
}
