#include "mainFrm.h"
#include "ChannelGrid.h"
#include "FileCommands.h"
#include "HelpViewer.h"
#include "ModelSelection.h"
#include "PrintCommands.h"
#include "TransferCommands.h"

#include "common/InstalledFiles.h"
#include "common/frmAbout.h"
#include "common/frmDK.h"
#include "common/frmJXXZ.h"
#include "common/frmLogin.h"
#include "common/frmMODE.h"
#include "common/frmSplash.h"
#include "core/ChannelCodes.h"
#include "core/mdlFunction.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

const QString kSettingsSection = QStringLiteral("Frequent");

QString BandKey(int slot) { return QStringLiteral("PL%1").arg(slot + 1); }

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
            [this] { return portNumber(); },
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
    m_files = std::make_unique<FileCommands>(m_dialogs, m_family.decodeImage, m_family.buildImage,
                                             m_extras.saveErrorTitle,
                                             FileCommands::Window{this,
                                                                  [this] { return gridXDSZ->commitOpenEditor(); },
                                                                  [this] {
                                                                      // the derived bytes are brought up to date
                                                                      cbosd_Click();
                                                                      return currentState();
                                                                  },
                                                                  [this](const EditorState &s) { applyState(s); }});

    // Creation: band texts, band editor defaults, channel count.
    const QString ini = settingsPath();
    for (int slot = 0; slot < m_extras.bandTextsRead; ++slot)
        if (QString *text = m_bands.byPosition(slot))
            *text = core::ReadIniString(kSettingsSection, BandKey(slot), ini);
    m_band = core::BandOptions{};

    buildControls();
    buildMenus();
    buildToolBar();
    if (m_extras.statusBar)
        buildStatusBar();
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &mainFrm::mnuIndex_Click);

    Timer.setInterval(1000);
    connect(&Timer, &QTimer::timeout, this, [this] { gridXDSZ->Timer_Timer(); });
    Timer.start();

    Form_Load();
    SetupChannelGrid(16);

    m_central->resize(kDesignSize);
    if (m_extras.proportionalLayout) {
        ControlGeometry.record(m_central);
        m_central->installEventFilter(this);
    }
    resize(kDesignSize.width(), kDesignSize.height() + menuBar()->sizeHint().height() + tbToolBar->sizeHint().height() +
                                    (sbStatusBar ? sbStatusBar->sizeHint().height() : 0));
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

    const auto label = [this](const QString &name, const QString &text, int x, int y, int w) {
        auto *l = new QLabel(text, fraFunc);
        l->setObjectName(name);
        l->setGeometry(x, y, w, 24);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    const auto combo = [this](const QString &name, int x, int y) {
        auto *c = new QComboBox(fraFunc);
        c->setObjectName(name);
        c->setGeometry(x, y, 150, 24);
        return c;
    };

    label(QStringLiteral("lblModel"), QStringLiteral("Model Type:"), 10, 24, 110);
    cboPCmodel = combo(QStringLiteral("cboPCmodel"), 126, 24);
    label(QStringLiteral("lblBand"), QStringLiteral("Radio Band:"), 310, 24, 110);
    Label2 = new QLabel(fraFunc);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(426, 24, 230, 24);
    Label2->setFrameShape(QFrame::StyledPanel);
    Label2->setFrameShadow(QFrame::Sunken);
    m_models = new ModelSelection(*m_family.models, m_dialogs, cboPCmodel, this,
                                  {[this] { cboPCmodel_Click(); }, [this](int n) { SetupChannelGrid(n); }});
    connect(cboPCmodel, &QComboBox::activated, this, [this] { cboPCmodel_Click(); });

    const int xs[3] = {10, 310, 640};
    for (int i = 0; i < m_family.lists.size(); ++i) {
        const FunctionListInfo &info = m_family.lists.at(i);
        const int x = xs[i % 3];
        const int y = 58 + 34 * (i / 3);
        m_listLabels << label(info.labelName.isEmpty() ? QStringLiteral("lbl") + info.objectName.mid(3) : info.labelName,
                              info.label, x, y, 110);
        QComboBox *c = combo(info.objectName, x + 116, y);
        c->addItems(info.items);
        m_lists << c;
        connect(c, &QComboBox::activated, this, [this, role = info.role] { listChosen(role); });
    }
    // A setting list changes only when the user has clicked or tabbed into it;
    // the wheel passing over it on its way to the grid changes nothing.
    for (QComboBox *c : fraFunc->findChildren<QComboBox *>()) {
        c->setFocusPolicy(Qt::StrongFocus);
        c->installEventFilter(this);
    }
    // A third row of lists makes the frame taller and the grid shorter.
    const int extraRows = qMax(0, int((m_family.lists.size() + 2) / 3) - 2);
    fraFunc->setGeometry(10, 4, 960, 128 + 34 * extraRows);

    const ModelScheme &scheme = *m_family.models;
    gridXDSZ = new ChannelGrid(m_dialogs, [this] { return Label2->text(); }, m_central, scheme.grid(scheme.startGroup()));
    gridXDSZ->setBandKey([this] { return m_bandKey; });
    gridXDSZ->setObjectName(QStringLiteral("channelGrid"));
    gridXDSZ->setGeometry(10, 138 + 34 * extraRows, 960, 454 - 34 * extraRows);

    m_print = std::make_unique<PrintCommands>(
        m_family.print, m_family.title, m_dialogs, m_env.printers, scriptPath(),
        PrintCommands::Window{this, gridXDSZ, [this](const QString &name) { return controlText(name); },
                              [this] { return m_files->lastFileName(); }, [this] { Timer.stop(); }});
}

void mainFrm::buildMenus()
{
    const auto menu = [this](QMenu *parentMenu, const QString &name, const QString &caption) {
        QMenu *m = parentMenu ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };
    const auto item = [this](QMenu *m, const QString &name, const QString &caption, const QKeySequence &key,
                             void (mainFrm::*handler)()) {
        QAction *a = m->addAction(caption);
        a->setObjectName(name);
        if (!key.isEmpty())
            a->setShortcut(key);
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };
    const auto separator = [](QMenu *m, const QString &name) {
        QAction *a = m->addSeparator();
        a->setObjectName(name);
        return a;
    };

    QMenu *file = menu(nullptr, QStringLiteral("mnuFile"), QStringLiteral("File(&F)"));
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
        item(file, QStringLiteral("mnuFileMRU%1").arg(i), QStringLiteral("&%1").arg(i), {}, nullptr)->setVisible(false);
    separator(file, QStringLiteral("null2"));
    item(file, QStringLiteral("mnuExit"), QStringLiteral("Exit(&X)"), QKeySequence(Qt::CTRL | Qt::Key_X), &mainFrm::mnuExit_Click);

    QMenu *program = menu(nullptr, QStringLiteral("mnuProgram"), QStringLiteral("Program(&P)"));
    item(program, QStringLiteral("mnuRead"), QStringLiteral("Read from Radio(&R)"), QKeySequence(Qt::CTRL | Qt::Key_R), &mainFrm::mnuRead_Click);
    item(program, QStringLiteral("mnuWrite"), QStringLiteral("Write to Radio(&W)"), QKeySequence(Qt::CTRL | Qt::Key_W), &mainFrm::mnuWrite_Click);

    QMenu *editor = menu(nullptr, QStringLiteral("mnuEditor"), QStringLiteral("Edit(&E)"));
    item(editor, QStringLiteral("mnuTune"), QStringLiteral("Test  Mode(&T)"), {}, &mainFrm::mnuTune_Click);

    QMenu *com = menu(nullptr, QStringLiteral("mnuCom"), QStringLiteral("Communication Port(&C)"));
    item(com, QStringLiteral("mnuPort"), QStringLiteral("Port...(&P)"), {}, &mainFrm::mnuPort_Click);

    QMenu *help = menu(nullptr, QStringLiteral("mnuHelp"), QStringLiteral("Help(&H)"));
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

void mainFrm::buildStatusBar()
{
    sbStatusBar = statusBar();
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar->setSizeGripEnabled(false);
    const auto panel = [this](const QString &name, int stretch) {
        auto *l = new QLabel(sbStatusBar);
        l->setObjectName(name);
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        l->setContentsMargins(4, 0, 4, 0);
        sbStatusBar->addPermanentWidget(l, stretch);
        return l;
    };
    panel(QStringLiteral("sbCaption"), 1)->setText(windowTitle());
    sbDate = panel(QStringLiteral("sbDate"), 0);
    sbTime = panel(QStringLiteral("sbTime"), 0);
    updateClock();
    // Each tick lands just after the second changes, so the time never lags a second.
    m_clock.setTimerType(Qt::PreciseTimer);
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &mainFrm::updateClock);
    m_clock.start();
}

void mainFrm::updateClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    sbDate->setText(locale.toString(now.date(), QLocale::ShortFormat));
    sbTime->setText(locale.toString(now.time(), QLocale::ShortFormat));
    m_clock.setInterval(1000 - now.time().msec() + 5);
}

// Start-up defaults; each list's handler runs as if the user had chosen the item.
void mainFrm::Form_Load()
{
    m_models->start();
    setListIndex(cboPCmodel, 0);
    for (int i = 0; i < m_lists.size(); ++i)
        setListIndex(m_lists.at(i), ListValue(m_family.defaults, m_family.lists.at(i).role));
    cboFuncMoni_Click();
    refreshModel();
    cboYYBP_Click();
    blnFirstShow = m_family.models->asksForModel();
    closePort();
}

void mainFrm::setListIndex(QComboBox *box, int index)
{
    {
        const QSignalBlocker block(box);
        box->setCurrentIndex(index);
    }
    if (box == cboPCmodel)
        cboPCmodel_Click();
    else if (const int i = int(m_lists.indexOf(box)); i >= 0)
        listChosen(m_family.lists.at(i).role);
}

// What a choice in a list recomputes, by what the list holds.
void mainFrm::listChosen(ListRole role)
{
    switch (role) {
    case ListRole::Moni: cboFuncMoni_Click(); break;
    case ListRole::BatterySave: cbosd_Click(); break;
    case ListRole::Voice: cboYYBP_Click(); break;
    case ListRole::Sound:
    case ListRole::Scrambler: rebuildOptionByte(); break;
    case ListRole::TimeOut:
    case ListRole::Squelch:
    case ListRole::Scan:
    case ListRole::Priority: break;
    }
}

QComboBox *mainFrm::list(ListRole role) const
{
    for (int i = 0; i < m_lists.size(); ++i)
        if (m_family.lists.at(i).role == role)
            return m_lists.at(i);
    return nullptr;
}

core::FunctionLists mainFrm::listPositions() const
{
    core::FunctionLists lists;
    for (int i = 0; i < m_lists.size(); ++i)
        ListValue(lists, m_family.lists.at(i).role) = m_lists.at(i)->currentIndex();
    return lists;
}

void mainFrm::SetupChannelGrid(int n)
{
    if (const GridDescription *grid = m_models->groupGrid())
        gridXDSZ->setDescription(*grid);
    gridXDSZ->SetupChannelGrid(n);
    enableGroupLists();
}

void mainFrm::enableGroupLists()
{
    for (int i = 0; i < m_lists.size(); ++i) {
        const QStringList &groups = m_family.lists.at(i).enabledInGroups;
        if (groups.isEmpty())
            continue;
        m_lists.at(i)->setEnabled(groups.contains(m_models->group()));
        m_listLabels.at(i)->setEnabled(groups.contains(m_models->group()));
    }
}

void mainFrm::rebuildOptionByte()
{
    const int m = list(ListRole::Moni)->currentIndex();
    const int s = list(ListRole::BatterySave)->currentIndex();
    if (m < 0 || s < 0)
        return;
    EditorState state;
    state.lists = listPositions();
    state.band = m_band;
    state.group = m_models->group();
    const auto byte = m_family.optionByte(state);
    if (byte)
        strOptionByte = QString::number(*byte);
}

void mainFrm::cboFuncMoni_Click() { rebuildOptionByte(); }
void mainFrm::cbosd_Click() { rebuildOptionByte(); }

void mainFrm::cboPCmodel_Click()
{
    if (const auto slot = m_models->currentSlot()) {
        const QString *text = m_bands.byPosition(slot->bandSlot);
        Label2->setText(text ? *text : QString());
        m_bandKey = BandKey(slot->bandSlot);
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

void mainFrm::cboYYBP_Click()
{
    strVoiceByte = QString::number(m_family.voiceByte(list(ListRole::Voice)->currentIndex()));
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

bool mainFrm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::Wheel) {
        auto *c = qobject_cast<QComboBox *>(watched);
        if (c && c->parentWidget() == fraFunc && !c->hasFocus())
            return true;
    }
    if (watched == m_central && e->type() == QEvent::Resize && m_extras.proportionalLayout) {
        ControlGeometry.apply(m_central->size());
        // A new size lays the grid out anew but keeps the channels.
        gridXDSZ->layoutColumns();
    }
    return QMainWindow::eventFilter(watched, e);
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
    s.lists = listPositions();
    s.band = m_band;
    s.channels = gridXDSZ->channelTexts();
    return s;
}

void mainFrm::applyState(const EditorState &s)
{
    // An editor left open would put its old text over the new channels.
    gridXDSZ->hideEditors();
    m_models->applyState(s);
    refreshModel();
    // The loaded band options take effect from Time Out on, after Moni and Battery Save have run.
    const ListRole order[] = {ListRole::Moni, ListRole::BatterySave, ListRole::TimeOut, ListRole::Squelch,
                              ListRole::Voice, ListRole::Scan, ListRole::Sound, ListRole::Scrambler, ListRole::Priority};
    for (const ListRole role : order) {
        if (role == ListRole::TimeOut)
            m_band = s.band;
        if (QComboBox *box = list(role))
            setListIndex(box, ListValue(s.lists, role));
    }
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

QString mainFrm::controlText(const QString &objectName) const
{
    if (const auto *box = findChild<QComboBox *>(objectName))
        return box->currentText();
    if (const auto *label = findChild<QLabel *>(objectName))
        return label->text();
    return QString();
}

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
    frmLogin login(m_dialogs, this);
    login.exec();
    if (login.LoginSucceeded) {
        frmMODE editor(m_dialogs, m_bands, m_band, cboPCmodel->currentIndex(), Label2->text(), m_extras.bandEditor, this);
        if (m_extras.bandEditorForCurrentModel)
            editor.InitPCmodal(m_models->model());
        if (m_extras.bandEditorWritesSettings)
            editor.onSaveAndExit = [this, &editor](int slot, const QString &text) { saveBandText(&editor, slot, text); };
        editor.exec();
    }
    Form_Activate();
}

void mainFrm::mnuPort_Click()
{
    frmDK dialog(m_dialogs, m_portChoice, portNumber(), [this] { closePort(); }, this);
    dialog.exec();
    m_portChoice = dialog.DKH;
    Form_Activate();
}

// One key per save; a file that cannot be written is said so, naming it.
void mainFrm::saveBandText(QWidget *parent, int slot, const QString &text)
{
    const QString path = settingsPath();
    const core::Status saved = core::WriteIniString(kSettingsSection, BandKey(slot), text, path);
    if (!saved)
        m_dialogs.message(parent, QStringLiteral("The band was not saved in the settings file.\n") + saved.error(),
                          QStringLiteral("Test  Mode"), UserDialogs::Icon::Warning);
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
