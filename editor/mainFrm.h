#pragma once

#include "Family.h"
#include "ProportionalLayout.h"
#include "common/UserDialogs.h"
#include "common/frmWAIT.h"
#include "core/EditorState.h"

#include "print/frmPreview.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QSerialPort;
class QToolBar;
class BandSettings;
class ChannelGrid;
class FileCommands;
class FunctionSettings;
class ModelSelection;
class PrintCommands;
class StatusClock;
class TransferCommands;
namespace print {
class Printers;
class mdlMODEL;
}

// The editing window: function settings, band label, channel grid, menus and
// toolbar, files and transfers. One window serves every family through its
// family description.
class mainFrm : public QMainWindow {
    Q_OBJECT
public:
    struct Environment {
        QString programDir;  // the program's folder; also where "Sfc.ini" lies unless settingsDir says otherwise
        QString dataDir;     // private per-user files: the received scratch file, the print script
        TransferTiming timing;
        print::Printers *printers = nullptr; // the system's printers when null
        QString helpViewer = QStringLiteral("xdg-open"); // opens the help file with the desktop's viewer
        QString settingsDir = {}; // an installed program's settings folder (ProgramEnvironment)
        QString settingsFolder() const { return settingsDir.isEmpty() ? programDir : settingsDir; }
    };

    mainFrm(const Family &family, UserDialogs &dialogs, Environment env, QWidget *parent = nullptr);
    ~mainFrm() override;

    // The band texts PL1..pl6, and the band editor's crystal, IF polarity and power step.
    const core::BandTexts &bands() const;
    void setBands(const core::BandTexts &bands);
    const core::BandOptions &band() const;
    void setBand(const core::BandOptions &band);
    // The port dialog's choice; the port number is one more.
    int portChoice() const;


    // The current model, as the model selection holds it.
    QString currentModel() const;   // the current model's name
    int channelCount() const;
    QString modelAnswer() const;    // the model dialog's last answer
    QString modelMenuList() const;  // the model dialog's list, each name followed by ";", then ";"
    QString modelGroup() const;     // the model group of families that have groups ("0", "1")

    // Commands.
    void mnuType_Click(int index);
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuPrint_Click();
    void mnuPrintPreview_Click();
    void mnuPreview_Click(); // the settings page as a print script
    void mnuExit_Click();
    void mnuRead_Click();
    void mnuWrite_Click();
    void mnuTune_Click();
    void mnuPort_Click();
    void mnuIndex_Click();
    void mnuAbout_Click();
    void tbToolBar_ButtonClick(const QString &buttonText);
    // Ends as Exit does, from wherever the program is: open dialogs are
    // closed, a running transfer is stopped first. programEnded() follows.
    void endProgram();
    void ChooseModel();
    // Fills File > New from list on its first call; later calls move the check mark.
    void BuildModelMenu(const QString &list, const QString &current);
    void Form_Activate();

    // Files.
    void LoadImageFile(const QString &path);
    void SaveImageFile(const QString &path);

    // What the window holds, as a value, and back.
    core::EditorState currentState() const;
    void applyState(const core::EditorState &state);

    // The derived setting texts.
    QString modelHex() const { return strModelHex; }
    QString modelByte() const { return strModelByte; }
    QString optionByte() const;
    QString voiceByte() const;
    QString bandLabel() const;

    ChannelGrid *grid() const { return gridXDSZ; }
    QSerialPort *port() const { return MSComm; }
    QString scratchPath() const;
    QString scriptPath() const;
    int portNumber() const { return portChoice() + 1; }
    QString settingsPath() const;
    QString helpPath() const;

    // Printing: the windows it opens.
    print::frmPreview *pagePreview() const;
    print::mdlMODEL &printScript();
    bool editorTimerActive() const { return Timer.isActive(); }

signals:
    void programEnded();

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildControls();
    void Form_Load();
    void SetupChannelGrid(int n);
    // The model box's handler, run for the window's own refresh: the grid is left as it is.
    void refreshModel();

    void cboFuncMoni_Click();
    void cbosd_Click();
    void cboPCmodel_Click();
    void cboYYBP_Click();

    void closePort();

    const Family &m_family;
    const WindowExtras &m_extras;
    UserDialogs &m_dialogs;
    Environment m_env;

    QWidget *m_central = nullptr;
    QGroupBox *fraFunc = nullptr;
    QComboBox *cboPCmodel = nullptr;
    QLabel *Label2 = nullptr;
    ModelSelection *m_models = nullptr;
    std::unique_ptr<FunctionSettings> m_functions;
    ChannelGrid *gridXDSZ = nullptr;
    QToolBar *tbToolBar = nullptr;
    std::unique_ptr<StatusClock> m_status;
    QTimer Timer;
    QSerialPort *MSComm = nullptr;
    std::unique_ptr<BandSettings> m_bands;

    bool blnGridReady = false;
    bool blnFirstShow = false;
    bool m_activating = false;
    bool m_shown = false;
    QString strModelHex;
    QString strModelByte;
    ProportionalLayout ControlGeometry;

    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<PrintCommands> m_print;
    std::unique_ptr<TransferCommands> m_transfers;
};
