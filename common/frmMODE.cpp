#include "frmMODE.h"

#include "UserDialogs.h"
#include "frmSplash.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

QStringList BandEditorLists::heronFrequencyPage()
{
    return {QStringLiteral("QZ-4420(1)"), QStringLiteral("QZ-4420(2)"), QStringLiteral("QZ-4420(3)"),
            QStringLiteral("QZ-4410(1)"), QStringLiteral("QZ-4410(2)")};
}

QStringList BandEditorLists::heronPowerPage()
{
    return {QStringLiteral("QZ-311B(1)"), QStringLiteral("QZ-311B(2)"), QStringLiteral("QZ-311B(3)"),
            QStringLiteral("QZ-311A(1)"), QStringLiteral("QZ-311A(2)")};
}

namespace {

constexpr int kTagRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kMaxLimit = 999;

// What the user may leave in a limit box while typing: any decimal number.
bool isNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return number.match(text).hasMatch();
}

bool isThreeDigits(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{3}$"));
    return digits.match(text).hasMatch();
}

// Two arrows beside a limit box that step it by one megahertz.
QWidget *makeUpDown(const QString &name, QLineEdit *buddy, QWidget *parent)
{
    auto *box = new QWidget(parent);
    box->setObjectName(name);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const auto arrow = [&](Qt::ArrowType type, int delta) {
        auto *b = new QToolButton(box);
        b->setArrowType(type);
        b->setAutoRepeat(true);
        b->setFixedSize(18, 12);
        column->addWidget(b);
        QObject::connect(b, &QToolButton::clicked, buddy, [buddy, delta] {
            bool ok = false;
            int v = buddy->text().trimmed().toInt(&ok);
            if (!ok)
                v = 0;
            v = qBound(0, v + delta, kMaxLimit);
            buddy->setText(QStringLiteral("%1").arg(v, 3, 10, QLatin1Char('0')));
        });
    };
    arrow(Qt::UpArrow, 1);
    arrow(Qt::DownArrow, -1);
    return box;
}

} // namespace

frmMODE::frmMODE(UserDialogs &dialogs, core::BandTexts &texts, core::BandOptions &options, int modelVariant,
                 const QString &bandLabel, const BandEditorLists &lists, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_texts(texts), m_options(options), m_bandSlots(lists.bandSlots)
{
    initCommonImages();
    setObjectName(QStringLiteral("frmMODE"));
    setWindowTitle(QStringLiteral("Test  Mode"));

    tremode = new QTreeWidget(this);
    tremode->setObjectName(QStringLiteral("tremode"));
    tremode->setHeaderHidden(true);
    tremode->setFixedWidth(160);

    lblRadiomodel = new QLabel(QStringLiteral("Model Type\uFF1A"), this);
    lblRadiomodel->setObjectName(QStringLiteral("lblRadiomodel"));
    cboPCmodel0 = new QComboBox(this);
    cboPCmodel0->setObjectName(QStringLiteral("cboPCmodel0"));
    cboPCmodel1 = new QComboBox(this);
    cboPCmodel1->setObjectName(QStringLiteral("cboPCmodel1"));

    // Frequency page.
    m_frequencyPage = new QWidget(this);
    Label1 = new QLabel(QStringLiteral("High Frequency(MHz)\uFF1A"), m_frequencyPage);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(m_frequencyPage);
    Text1->setObjectName(QStringLiteral("Text1"));
    Label2 = new QLabel(QStringLiteral("Low Frequency(MHz)\uFF1A"), m_frequencyPage);
    Label2->setObjectName(QStringLiteral("Label2"));
    Text2 = new QLineEdit(m_frequencyPage);
    Text2->setObjectName(QStringLiteral("Text2"));
    for (QLineEdit *box : {Text1, Text2})
        box->setFixedWidth(70);
    QWidget *upDown1 = makeUpDown(QStringLiteral("UpDown1"), Text1, m_frequencyPage);
    QWidget *upDown2 = makeUpDown(QStringLiteral("UpDown2"), Text2, m_frequencyPage);

    Label3 = new QLabel(QStringLiteral("IF\uFF1A"), m_frequencyPage);
    Label3->setObjectName(QStringLiteral("Label3"));
    Option1_0 = new QRadioButton(QStringLiteral("positive"), m_frequencyPage);
    Option1_0->setObjectName(QStringLiteral("Option1_0"));
    Option1_1 = new QRadioButton(QStringLiteral("negative"), m_frequencyPage);
    Option1_1->setObjectName(QStringLiteral("Option1_1"));
    auto *polarity = new QButtonGroup(this);
    polarity->addButton(Option1_0, 0);
    polarity->addButton(Option1_1, 1);

    Frame1 = new QGroupBox(m_frequencyPage);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label4 = new QLabel(QStringLiteral("Crystal Reference\uFF1A"), Frame1);
    Label4->setObjectName(QStringLiteral("Label4"));
    optJT0 = new QRadioButton(QStringLiteral("13MHz "), Frame1);
    optJT0->setObjectName(QStringLiteral("optJT0"));
    optJT1 = new QRadioButton(QStringLiteral("14.4MHz"), Frame1);
    optJT1->setObjectName(QStringLiteral("optJT1"));
    auto *crystal = new QButtonGroup(this);
    crystal->addButton(optJT0, 0);
    crystal->addButton(optJT1, 1);
    auto *frameRow = new QHBoxLayout(Frame1);
    frameRow->addWidget(Label4);
    frameRow->addWidget(optJT0);
    frameRow->addWidget(optJT1);
    frameRow->addStretch();

    auto *freqGrid = new QGridLayout(m_frequencyPage);
    freqGrid->setContentsMargins(0, 0, 0, 0);
    freqGrid->addWidget(Label1, 0, 0);
    freqGrid->addWidget(Text1, 0, 1);
    freqGrid->addWidget(upDown1, 0, 2, Qt::AlignLeft);
    freqGrid->addWidget(Label2, 1, 0);
    freqGrid->addWidget(Text2, 1, 1);
    freqGrid->addWidget(upDown2, 1, 2, Qt::AlignLeft);
    auto *polarityRow = new QHBoxLayout;
    polarityRow->addWidget(Option1_0);
    polarityRow->addWidget(Option1_1);
    polarityRow->addStretch();
    freqGrid->addWidget(Label3, 2, 0);
    freqGrid->addLayout(polarityRow, 2, 1, 1, 3);
    freqGrid->addWidget(Frame1, 3, 0, 1, 4);
    freqGrid->setColumnStretch(3, 1);
    freqGrid->setRowStretch(4, 1);

    // Power page.
    m_powerPage = new QWidget(this);
    Label5 = new QLabel(QStringLiteral("Frequency Range\uFF1A"), m_powerPage);
    Label5->setObjectName(QStringLiteral("Label5"));
    freQuent = new QLabel(bandLabel, m_powerPage);
    freQuent->setObjectName(QStringLiteral("freQuent"));
    Label6 = new QLabel(QStringLiteral("Power Level\uFF1A"), m_powerPage);
    Label6->setObjectName(QStringLiteral("Label6"));
    cboFrequent = new QComboBox(m_powerPage);
    cboFrequent->setObjectName(QStringLiteral("cboFrequent"));
    for (int step = -5; step <= 5; ++step)
        cboFrequent->addItem(QString::number(step));
    auto *powerGrid = new QGridLayout(m_powerPage);
    powerGrid->setContentsMargins(0, 0, 0, 0);
    powerGrid->addWidget(Label5, 0, 0);
    powerGrid->addWidget(freQuent, 0, 1);
    powerGrid->addWidget(Label6, 1, 0);
    powerGrid->addWidget(cboFrequent, 1, 1, Qt::AlignLeft);
    powerGrid->setColumnStretch(2, 1);
    powerGrid->setRowStretch(2, 1);

    auto *page = new QGridLayout;
    page->addWidget(lblRadiomodel, 0, 0);
    page->addWidget(cboPCmodel0, 0, 1);
    page->addWidget(cboPCmodel1, 0, 1);
    page->setColumnStretch(2, 1);
    page->addWidget(m_frequencyPage, 1, 0, 1, 3);
    page->addWidget(m_powerPage, 1, 0, 1, 3);
    page->setRowStretch(1, 1);
    page->setVerticalSpacing(10);

    auto *all = new QHBoxLayout(this);
    all->addWidget(tremode);
    all->addSpacing(8);
    all->addLayout(page, 1);
    setMinimumSize(560, 240);

    connect(tremode, &QTreeWidget::itemClicked, this, &frmMODE::tremode_Click);
    connect(tremode, &QTreeWidget::itemActivated, this, &frmMODE::tremode_Click);
    connect(cboPCmodel0, &QComboBox::currentIndexChanged, this, [this] { cboPCmodel_Click(0); });
    connect(cboPCmodel1, &QComboBox::currentIndexChanged, this, [this] { cboPCmodel_Click(1); });
    connect(Text1, &QLineEdit::textEdited, this, [this] { checkNumber(Text1); });
    connect(Text2, &QLineEdit::textEdited, this, [this] { checkNumber(Text2); });

    // Load steps.
    BuildModeTree();
    ShowFrequencyPage(true);
    {
        const QSignalBlocker block0(cboPCmodel0);
        const QSignalBlocker block1(cboPCmodel1);
        cboPCmodel0->addItems(lists.frequencyPage);
        cboPCmodel1->addItems(lists.powerPage);
        cboPCmodel0->setCurrentIndex(modelVariant < cboPCmodel0->count() ? modelVariant : -1);
        cboPCmodel1->setCurrentIndex(modelVariant < cboPCmodel1->count() ? modelVariant : -1);
    }
    cboPCmodel_Click(0);
    // An out-of-range step leaves the list without a selection, and the saved step as it was.
    cboFrequent->setCurrentIndex(m_options.sPower >= 0 && m_options.sPower < cboFrequent->count() ? m_options.sPower
                                                                                                 : -1);
    (m_options.crystal14MHz ? optJT1 : optJT0)->setChecked(true);
    (m_options.ifNegative ? Option1_1 : Option1_0)->setChecked(true);
}

void frmMODE::BuildModeTree()
{
    tremode->clear();
    const auto node = [](const QString &text, const QString &key, const QString &tag) {
        auto *item = new QTreeWidgetItem(QStringList{text});
        item->setData(0, kKeyRole, key);
        item->setData(0, kTagRole, tag);
        return item;
    };
    QTreeWidgetItem *modify = node(QStringLiteral("Modify item"), QStringLiteral("node1"), QString());
    modify->addChild(node(QStringLiteral("Modify Frequency"), QStringLiteral("frequent"), QStringLiteral("1")));
    modify->addChild(node(QStringLiteral("Modify Power"), QStringLiteral("power"), QStringLiteral("2")));
    tremode->addTopLevelItem(modify);
    tremode->addTopLevelItem(node(QStringLiteral("Save and Exit"), QStringLiteral("node2"), QStringLiteral("3")));
    modify->setExpanded(true);
}

void frmMODE::ShowFrequencyPage(bool freqPage)
{
    cboPCmodel0->setVisible(freqPage);
    m_frequencyPage->setVisible(freqPage);
    cboPCmodel1->setVisible(!freqPage);
    m_powerPage->setVisible(!freqPage);
}

void frmMODE::tremode_Click(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const QString tag = item->data(0, kTagRole).toString();
    if (tag == QLatin1String("1"))
        ShowFrequencyPage(true);
    else if (tag == QLatin1String("2"))
        ShowFrequencyPage(false);
    else if (tag == QLatin1String("3"))
        accept();
}

void frmMODE::setModelLists(const QStringList &frequencyPage, const QStringList &powerPage)
{
    {
        const QSignalBlocker block0(cboPCmodel0);
        const QSignalBlocker block1(cboPCmodel1);
        cboPCmodel0->clear();
        cboPCmodel0->addItems(frequencyPage);
        cboPCmodel0->setCurrentIndex(frequencyPage.isEmpty() ? -1 : 0);
        cboPCmodel1->clear();
        cboPCmodel1->addItems(powerPage);
        cboPCmodel1->setCurrentIndex(powerPage.isEmpty() ? -1 : 0);
    }
    cboPCmodel_Click(0);
}

void frmMODE::InitPCmodal(const QString &jx)
{
    const QStringList variants{jx + QStringLiteral("(U)"), jx + QStringLiteral("(V)")};
    setModelLists(variants, variants);
}

void frmMODE::cboPCmodel_Click(int index)
{
    if (index != 0)
        return;
    const QString *band = m_texts.byPosition(m_bandSlots.value(cboPCmodel0->currentIndex(), -1));
    if (!band)
        return;
    Text2->setText(band->mid(0, 3));
    Text1->setText(band->mid(9, 3));
}

void frmMODE::checkNumber(QLineEdit *box)
{
    if (isNumber(box->text()))
        return;
    m_dialogs.message(this, QStringLiteral("请输入数字"));
    box->clear();
}

QString frmMODE::bandLimitsProblem(const QString &low, const QString &high)
{
    if (!isThreeDigits(low) || !isThreeDigits(high))
        return QStringLiteral("The band was not saved: enter each limit in MHz as a whole number of three digits "
                              "(for example 400 and 470).");
    if (low.toInt() > high.toInt())
        return QStringLiteral("The band was not saved: the low frequency %1 MHz is above the high frequency %2 MHz.")
            .arg(low, high);
    return {};
}

QString frmMODE::bandText(const QString &low, const QString &high)
{
    return low + QStringLiteral("MHz---") + high + QStringLiteral("MHz");
}

void frmMODE::saveSteps(bool saveAndExit)
{
    m_options.crystal14MHz = optJT1->isChecked();
    m_options.ifNegative = Option1_1->isChecked();

    const QString low = Text2->text();
    const QString high = Text1->text();
    const int slot = m_bandSlots.value(cboPCmodel0->currentIndex(), -1);
    QString *band = m_texts.byPosition(slot);
    if (band && !low.isEmpty() && !high.isEmpty()) {
        const QString problem = bandLimitsProblem(low, high);
        if (problem.isEmpty()) {
            *band = bandText(low, high);
            if (saveAndExit && onSaveAndExit)
                onSaveAndExit(slot, *band);
        } else {
            m_dialogs.message(this, problem, QStringLiteral("Test  Mode"), UserDialogs::Icon::Warning);
        }
    }

    if (cboFrequent->currentIndex() >= 0)
        m_options.sPower = cboFrequent->currentIndex();
}

void frmMODE::done(int result)
{
    // Every way out saves once; a second request while closing is the same close.
    if (m_closing)
        return;
    m_closing = true;
    saveSteps(result == QDialog::Accepted);
    QDialog::done(result);
}

void frmMODE::showEvent(QShowEvent *event)
{
    m_closing = false;
    QDialog::showEvent(event);
}
