#include "mainFrm.h"
#include "BandSettings.h"
#include "ChannelGrid.h"
#include "FileCommands.h"
#include "FunctionSettings.h"
#include "HelpViewer.h"
#include "ModelSelection.h"
#include "NamedMenus.h"
#include "PrintCommands.h"
#include "StatusClock.h"
#include "TransferCommands.h"

#include "common/frmAbout.h"
#include "common/frmSplash.h"
#include "core/ChannelCodes.h"
#include "core/mdlFunction.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QSerialPort>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

using core::EditorState;

namespace {

constexpr QSize kDesignSize(980, 600);

} // namespace

mainFrm::mainFrm(const Family &family, UserDialogs &dialogs, Environment env, QWidget *parent)
    : QMainWindow(parent), m_family(family), m_extras(family.window), m_dialogs(dialogs), m_env(std::move(env))
{
    setObjectName(QStringLiteral("mainFrm"));
    setWindowTitle(m_extras.caption.isEmpty() ? m_family.title : m_extras.caption);
    MSComm = new QSerialPort(this);
    m_transfers = std::make_unique<TransferCommands>(
        m_dialogs, *MSComm, m_env.timing, scratchPath(),
        TransferCommands::Window{
            this,
            [this] { return gridXDSZ->commitOpenEditor(); },
            [this] {
                cbosd_Click();
                return m_family.buildImage(currentState(), core::Target::Radio);
            },
            [this](const QString &path) { LoadImageFile(path); },
            [this] { Form_Activate(); },
            [this] {
                mnuExit_Click();
                emit programEnded();
            }});
    m_files = std::make_unique<FileCommands>(
        m_dialogs, m_family.decodeImage, m_family.buildImage, m_extras.saveErrorTitle,
        FileCommands::Window{this, [this] { return gridXDSZ->commitOpenEditor(); },
                             [this] {
                                 cbosd_Click(); // the derived bytes are brought up to date
                                 return currentState();
                             },
                             [this](const EditorState &s) { applyState(s); }});

    m_bands = std::make_unique<BandSettings>(m_extras, m_dialogs, m_env.settingsFolder(), this);

    buildControls();
    buildMenus();
    buildToolBar();
    if (m_extras.statusBar)
        m_status = std::make_unique<StatusClock>(this, windowTitle());
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &mainFrm::mnuIndex_Click);

    Timer.setInterval(1000);
    connect(&Timer, &QTimer::timeout, this, [this] { gridXDSZ->Timer_Timer(); });
    Timer.start();

    Form_Load();
    SetupChannelGrid(16);

    m_central->resize(kDesignSize);
    if (m_extras.proportionalLayout) {
        // A new size lays the grid out anew but keeps the channels.
        ControlGeometry.follow(m_central, [this] { gridXDSZ->layoutColumns(); });
    }
    resize(kDesignSize.width(), kDesignSize.height() + menuBar()->sizeHint().height() + tbToolBar->sizeHint().height() +
                                    (m_status ? m_status->bar()->sizeHint().height() : 0));
}

mainFrm::~mainFrm() = default;

void mainFrm::buildControls()
{
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("central"));
    setCentralWidget(m_central);

    fraFunc = new QGroupBox(QStringLiteral("Function Setting"), m_central);
    fraFunc->setObjectName(QStringLiteral("fraFunc"));
    fraFunc->setGeometry(10, 4, 960, 128);

    FunctionSettings::makeLabel(fraFunc, QStringLiteral("lblModel"), QStringLiteral("Model Type:"), 10, 24, 110);
    cboPCmodel = FunctionSettings::makeCombo(fraFunc, QStringLiteral("cboPCmodel"), 126, 24);
    FunctionSettings::makeLabel(fraFunc, QStringLiteral("lblBand"), QStringLiteral("Radio Band:"), 310, 24, 110);
    Label2 = new QLabel(fraFunc);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(426, 24, 230, 24);
    Label2->setFrameShape(QFrame::StyledPanel);
    Label2->setFrameShadow(QFrame::Sunken);
    m_models = new ModelSelection(*m_family.models, m_dialogs, cboPCmodel, this,
                                  {[this] { cboPCmodel_Click(); }, [this](int n) { SetupChannelGrid(n); }});
    connect(cboPCmodel, &QComboBox::activated, this, [this] { cboPCmodel_Click(); });

    m_functions = std::make_unique<FunctionSettings>(
        m_family, fraFunc,
        FunctionSettings::WindowHooks{[this] { return m_bands->options(); }, [this] { return m_models->group(); }});
    // A third row of lists makes the grid shorter.
    const int extraRows = m_functions->extraRows();

    const ModelScheme &scheme = *m_family.models;
    gridXDSZ = new ChannelGrid(m_dialogs, [this] { return Label2->text(); }, m_central, scheme.grid(scheme.startGroup()));
    gridXDSZ->setBandKey([this] { return m_bands->shownKey(); });
    gridXDSZ->setObjectName(QStringLiteral("channelGrid"));
    gridXDSZ->setGeometry(10, 138 + 34 * extraRows, 960, 454 - 34 * extraRows);

    m_print = std::make_unique<PrintCommands>(
        m_family.print, m_family.title, m_dialogs, m_env.printers, scriptPath(),
        PrintCommands::Window{this, gridXDSZ, [this] { return m_files->lastFileName(); }, [this] { Timer.stop(); }});
}

void mainFrm::buildMenus()
{
    using menus::separator;
    const auto menu = [this](const QString &name, const QString &caption) {
        return menus::add(menuBar(), name, caption);
    };
    const auto item = [this](QMenu *m, const QString &name, const QString &caption, const QKeySequence &key,
                             void (mainFrm::*handler)()) {
        connect(menus::item(m, name, caption, key), &QAction::triggered, this, handler);
    };

    QMenu *file = menu(QStringLiteral("mnuFile"), QStringLiteral("File(&F)"));
    m_models->buildNewMenu(file);
    item(file, QStringLiteral("mnuOpen"), QStringLiteral("Open(&O)"), QKeySequence(Qt::CTRL | Qt::Key_O), &mainFrm::mnuOpen_Click);
    item(file, QStringLiteral("mnuSave"), QStringLiteral("Save as...(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S), &mainFrm::mnuSave_Click);
    separator(file, QStringLiteral("null0"));
    if (m_family.print.singlePrintItem()) {
        item(file, QStringLiteral("mnuPreview"), QStringLiteral("Print(&P)"), QKeySequence(Qt::CTRL | Qt::Key_P), &mainFrm::mnuPreview_Click);
    } else {
        item(file, QStringLiteral("mnuPrintPreview"), QStringLiteral("PrintPreview(&P)"), {}, &mainFrm::mnuPrintPreview_Click);
        item(file, QStringLiteral("mnuPrint"), QStringLiteral("Print(&P)"), QKeySequence(Qt::CTRL | Qt::Key_P), &mainFrm::mnuPrint_Click);
    }
    separator(file, QStringLiteral("mnuNULL"))->setVisible(false);
    for (int i = 0; i < 4; ++i)
        menus::item(file, QStringLiteral("mnuFileMRU%1").arg(i), QStringLiteral("&%1").arg(i))->setVisible(false);
    separator(file, QStringLiteral("null2"));
    item(file, QStringLiteral("mnuExit"), QStringLiteral("Exit(&X)"), QKeySequence(Qt::CTRL | Qt::Key_X), &mainFrm::mnuExit_Click);

    QMenu *program = menu(QStringLiteral("mnuProgram"), QStringLiteral("Program(&P)"));
    item(program, QStringLiteral("mnuRead"), QStringLiteral("Read from Radio(&R)"), QKeySequence(Qt::CTRL | Qt::Key_R), &mainFrm::mnuRead_Click);
    item(program, QStringLiteral("mnuWrite"), QStringLiteral("Write to Radio(&W)"), QKeySequence(Qt::CTRL | Qt::Key_W), &mainFrm::mnuWrite_Click);

    QMenu *editor = menu(QStringLiteral("mnuEditor"), QStringLiteral("Edit(&E)"));
    item(editor, QStringLiteral("mnuTune"), QStringLiteral("Test  Mode(&T)"), {}, &mainFrm::mnuTune_Click);

    QMenu *com = menu(QStringLiteral("mnuCom"), QStringLiteral("Communication Port(&C)"));
    item(com, QStringLiteral("mnuPort"), QStringLiteral("Port...(&P)"), {}, &mainFrm::mnuPort_Click);

    QMenu *help = menu(QStringLiteral("mnuHelp"), QStringLiteral("Help(&H)"));
    item(help, QStringLiteral("mnuIndex"), QStringLiteral("Content(&I)..."), {}, &mainFrm::mnuIndex_Click);
    separator(help, QStringLiteral("nu"));
    item(help, QStringLiteral("mnuAbout"), QStringLiteral("About(&A)"), {}, &mainFrm::mnuAbout_Click);
}

void mainFrm::BuildModelMenu(const QString &list, const QString &current) { m_models->buildMenu(list, current); }

void mainFrm::buildToolBar()
{
    initCommonImages();
    tbToolBar = addToolBar(QStringLiteral("tbToolBar"));
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolButton &button : m_extras.toolbar) {
        const QString text = button.text;
        QAction *a = tbToolBar->addAction(QIcon(QStringLiteral(":/images/%1.png").arg(text.toLower())), text);
        a->setObjectName(QStringLiteral("tb") + text);
        if (!button.toolTip.isEmpty())
            a->setToolTip(button.toolTip);
        connect(a, &QAction::triggered, this, [this, text] { tbToolBar_ButtonClick(text); });
    }
}

// Start-up defaults; each list's handler runs as if the user had chosen the item.
void mainFrm::Form_Load()
{
    m_models->start();
    {
        const QSignalBlocker block(cboPCmodel);
        cboPCmodel->setCurrentIndex(0);
    }
    cboPCmodel_Click();
    m_functions->setDefaults();
    cboFuncMoni_Click();
    refreshModel();
    cboYYBP_Click();
    blnFirstShow = m_family.models->asksForModel();
    closePort();
}

void mainFrm::SetupChannelGrid(int n)
{
    if (const GridDescription *grid = m_models->groupGrid())
        gridXDSZ->setDescription(*grid);
    gridXDSZ->SetupChannelGrid(n);
    m_functions->enableGroupLists(m_models->group());
}

void mainFrm::cboFuncMoni_Click() { m_functions->rebuildOptionByte(); }
void mainFrm::cbosd_Click() { m_functions->rebuildOptionByte(); }
void mainFrm::cboYYBP_Click() { m_functions->rebuildVoiceByte(); }
QString mainFrm::optionByte() const { return m_functions->optionByte(); }
QString mainFrm::voiceByte() const { return m_functions->voiceByte(); }

void mainFrm::cboPCmodel_Click()
{
    if (const auto slot = m_models->currentSlot()) {
        Label2->setText(m_bands->select(slot->bandSlot));
        strModelHex = core::HexByte(slot->code);
    }
    strModelByte = QString::number(strModelHex.toInt(nullptr, 16));
    if (!blnGridReady)
        return;
    if (m_family.models->changeEmptiesGrid()) {
        gridXDSZ->grid()->Clear();
        SetupChannelGrid(m_models->channelCount());
    } else if (gridXDSZ->cellText(1, 1).isEmpty()) {
        SetupChannelGrid(m_models->channelCount());
    }
}

void mainFrm::refreshModel()
{
    blnGridReady = false;
    cboPCmodel_Click();
    blnGridReady = true;
}

QString mainFrm::bandLabel() const { return Label2->text(); }

void mainFrm::Form_Activate()
{
    if (m_activating)
        return;
    m_activating = true;
    refreshModel();
    cbosd_Click();
    Timer.start();
    if (blnFirstShow) {
        blnFirstShow = false;
        ChooseModel();
    }
    m_activating = false;
}

void mainFrm::ChooseModel() { m_models->choose(); }

const core::BandTexts &mainFrm::bands() const { return m_bands->texts(); }
void mainFrm::setBands(const core::BandTexts &bands) { m_bands->setTexts(bands); }
const core::BandOptions &mainFrm::band() const { return m_bands->options(); }
void mainFrm::setBand(const core::BandOptions &band) { m_bands->setOptions(band); }
void mainFrm::mnuType_Click(int index) { m_models->typeChosen(index); }

QString mainFrm::currentModel() const { return m_models->model(); }
int mainFrm::channelCount() const { return m_models->channelCount(); }
QString mainFrm::modelAnswer() const { return m_models->dialogAnswer(); }
QString mainFrm::modelMenuList() const { return m_models->menuList(); }
QString mainFrm::modelGroup() const { return m_models->group(); }

bool mainFrm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &mainFrm::Form_Activate);
    return QMainWindow::event(e);
}

// The first show activates the window even where no window manager does it.
void mainFrm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    QTimer::singleShot(0, this, [this] {
        activateWindow();
        Form_Activate();
    });
}

void mainFrm::closeEvent(QCloseEvent *e)
{
    closePort();
    QFile::remove(scriptPath());
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    e->accept();
}

void mainFrm::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1) {
        mnuIndex_Click();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

QString mainFrm::scratchPath() const { return QDir(m_env.dataDir).filePath(QStringLiteral("received.chp")); }
QString mainFrm::scriptPath() const { return QDir(m_env.dataDir).filePath(QStringLiteral("_$$_TEMP.TMP")); }

void mainFrm::closePort() { m_transfers->closePort(); }

// ---- state as a value ----

EditorState mainFrm::currentState() const
{
    EditorState s;
    m_models->fillState(s);
    s.lists = m_functions->positions();
    s.band = m_bands->options();
    s.channels = gridXDSZ->channelTexts();
    return s;
}

void mainFrm::applyState(const EditorState &s)
{
    // An editor left open would put its old text over the new channels.
    gridXDSZ->hideEditors();
    m_models->applyState(s);
    refreshModel();
    m_functions->apply(s.lists, [this, &s] { m_bands->setOptions(s.band); });
    gridXDSZ->setChannelTexts(s.channels);
}

// ---- files ----

void mainFrm::LoadImageFile(const QString &path) { m_files->load(path); }
void mainFrm::SaveImageFile(const QString &path) { m_files->save(path); }
void mainFrm::mnuOpen_Click() { m_files->open(); }
void mainFrm::mnuSave_Click() { m_files->saveAs(); }

// ---- printing ----

print::mdlMODEL &mainFrm::printScript() { return m_print->script(); }
print::frmPreview *mainFrm::pagePreview() const { return m_print->pagePreview(); }

void mainFrm::mnuPrint_Click() { m_print->print(); }
void mainFrm::mnuPrintPreview_Click() { m_print->printPreview(); }
void mainFrm::mnuPreview_Click() { m_print->preview(); }

void mainFrm::mnuExit_Click()
{
    closePort();
    QFile::remove(scriptPath());
    close();
}

void mainFrm::endProgram()
{
    // Open dialogs close as cancelled; the transfer's own dialog is stopped instead, by its command.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible() && dialog != m_transfers->running())
            dialog->reject();
    m_transfers->endProgram();
}

void mainFrm::mnuTune_Click()
{
    m_bands->testMode(cboPCmodel->currentIndex(), Label2->text(), m_models->model());
    Form_Activate();
}

void mainFrm::mnuPort_Click()
{
    m_transfers->choosePort();
    Form_Activate();
}

QString mainFrm::settingsPath() const { return core::SettingsPath(m_env.settingsFolder()); }

QString mainFrm::helpPath() const { return HelpViewer::filePath(m_env.programDir, m_extras.helpFile); }

void mainFrm::mnuIndex_Click()
{
    const QString path = helpPath();
    if (path.isEmpty())
        return; // this program names no help file
    HelpViewer(m_env.helpViewer).show(path, m_dialogs, this);
}

void mainFrm::mnuAbout_Click()
{
    AboutTexts texts =
        m_extras.about.caption.isEmpty() ? AboutTexts::forProgram(m_family.title, m_family.version) : m_extras.about;
    texts.settingsFile = settingsPath();
    frmAbout about(m_dialogs, texts, this);
    about.exec();
}

int mainFrm::portChoice() const { return m_transfers->portChoice(); }
void mainFrm::mnuRead_Click() { m_transfers->read(); }
void mainFrm::mnuWrite_Click() { m_transfers->write(); }

void mainFrm::tbToolBar_ButtonClick(const QString &buttonText)
{
    using Command = ToolButton::Command;
    for (const ToolButton &button : m_extras.toolbar) {
        if (buttonText.compare(button.text, m_extras.toolbarMatch) != 0)
            continue;
        switch (button.command) {
        case Command::New: ChooseModel(); break;
        case Command::Open: mnuOpen_Click(); break;
        case Command::Save: mnuSave_Click(); break;
        case Command::Print: m_family.print.singlePrintItem() ? mnuPreview_Click() : mnuPrint_Click(); break;
        case Command::Read: mnuRead_Click(); break;
        case Command::Write: mnuWrite_Click(); break;
        }
        break;
    }
    closePort();
}
