#include "RunProgram.h"
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
            window->show();
        }
    });
    splash.show();
    return app.exec();
}
