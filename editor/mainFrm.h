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
class QStatusBar;
class QToolBar;
class ChannelGrid;
class FileCommands;
class ModelSelection;
class PrintCommands;
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
    const core::BandTexts &bands() const { return m_bands; }
    void setBands(const core::BandTexts &bands) { m_bands = bands; }
    const core::BandOptions &band() const { return m_band; }
    void setBand(const core::BandOptions &band) { m_band = band; }
    // The port dialog's choice; the port number is one more.
    int portChoice() const { return m_portChoice; }


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
    QString optionByte() const { return strOptionByte; }
    QString voiceByte() const { return strVoiceByte; }
    QString bandLabel() const;

    ChannelGrid *grid() const { return gridXDSZ; }
    QSerialPort *port() const { return MSComm; }
    QString scratchPath() const;
    QString scriptPath() const;
    int portNumber() const { return m_portChoice + 1; }
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
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildControls();
    void buildStatusBar();
    void updateClock();
    void saveBandText(QWidget *parent, int slot, const QString &text);
    void Form_Load();
    void SetupChannelGrid(int n);
    // The model box's handler, run for the window's own refresh: the grid is left as it is.
    void refreshModel();
    QComboBox *list(ListRole role) const;
    // The window's list positions by role.
    core::FunctionLists listPositions() const;
    void listChosen(ListRole role);
    void setListIndex(QComboBox *list, int index);
    void enableGroupLists();

    void cboFuncMoni_Click();
    void cbosd_Click();
    void cboPCmodel_Click();
    void cboYYBP_Click();
    void rebuildOptionByte();

    void closePort();
    QString controlText(const QString &objectName) const;

    const Family &m_family;
    const WindowExtras &m_extras;
    UserDialogs &m_dialogs;
    Environment m_env;

    QWidget *m_central = nullptr;
    QGroupBox *fraFunc = nullptr;
    QComboBox *cboPCmodel = nullptr;
    QLabel *Label2 = nullptr;
    ModelSelection *m_models = nullptr;
    QList<QComboBox *> m_lists;
    QList<QLabel *> m_listLabels;
    ChannelGrid *gridXDSZ = nullptr;
    QToolBar *tbToolBar = nullptr;
    QStatusBar *sbStatusBar = nullptr;
    QLabel *sbDate = nullptr;
    QLabel *sbTime = nullptr;
    QTimer m_clock;
    QTimer Timer;
    QSerialPort *MSComm = nullptr;
    int m_portChoice = 0;
    core::BandTexts m_bands;
    core::BandOptions m_band;

    bool blnGridReady = false;
    bool blnFirstShow = false;
    bool m_activating = false;
    bool m_shown = false;
    QString strModelHex;
    QString strModelByte;
    QString strOptionByte;
    QString strVoiceByte;
    QString m_bandKey = QStringLiteral("PL1"); // the settings key of the band shown in Label2
    ProportionalLayout ControlGeometry;

    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<PrintCommands> m_print;
    std::unique_ptr<TransferCommands> m_transfers;
};
