#include "PrnPrv.h"
#include "Printers.h"

#include "common/UserDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

namespace print {

namespace {

const QStringList kZooms{"25", "50", "75", "100", "125", "150", "175", "200"};

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

PagePicture::PagePicture(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Prv"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PagePicture::paintPage(PaintTarget &target) const
{
    target.setScale(QRectF(QPointF(0, 0), scaleSize));
    if (cleared)
        return;
    if (!failure.isEmpty()) {
        target.drawText({567, 567}, failure, {QStringLiteral("Arial"), 10 * fontRatio, true});
        return;
    }
    RenderScriptPage(script, wantedPage, target, fontRatio);
}

void PagePicture::paintEvent(QPaintEvent *e)
{
    QPainter painter(this);
    painter.fillRect(e->rect(), Qt::white);
    painter.setClipRect(e->rect());
    PainterTarget target(painter, rect());
    paintPage(target);
}

PrnPrv::PrnPrv(QString scriptPath, Printers &printers, UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_scriptPath(std::move(scriptPath)), m_printers(printers), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("PrnPrv"));
    setWindowTitle(QStringLiteral("Preview"));
    setAttribute(Qt::WA_DeleteOnClose);

    bBar = new QWidget(this);
    bBar->setObjectName(QStringLiteral("bBar"));
    auto *buttons = new QHBoxLayout(bBar);
    buttons->setContentsMargins(4, 2, 4, 2);
    Cmd.resize(11);
    buttons->addWidget(button(0, QStringLiteral("Reset"), QStringLiteral("refresh (CR)")));
    buttons->addWidget(button(1, QStringLiteral("Zoom in"), QStringLiteral("zoom in (+)")));
    buttons->addWidget(button(2, QStringLiteral("Zoom out"), QStringLiteral("zoom out (-)")));
    zVal = new QComboBox(bBar);
    zVal->setObjectName(QStringLiteral("zVal"));
    zVal->addItems(kZooms);
    zVal->setToolTip(QStringLiteral("zoom factor"));
    buttons->addWidget(zVal);
    ePag = new QComboBox(bBar);
    ePag->setObjectName(QStringLiteral("ePag"));
    ePag->setToolTip(QStringLiteral("select (selected) page"));
    ePag->setMinimumContentsLength(3);
    buttons->addWidget(ePag);
    buttons->addWidget(button(4, QStringLiteral("Print"), QStringLiteral("select printer")));
    Command3 = new QPushButton(QStringLiteral("Imposta B5"), bBar);
    Command3->setObjectName(QStringLiteral("Command3"));
    connect(Command3, &QPushButton::clicked, this, &PrnPrv::Command3_Click);
    buttons->addWidget(Command3);
    buttons->addWidget(button(10, QStringLiteral("Exit"), QStringLiteral("close")));
    buttons->addStretch();

    m_view = new QWidget(this);
    m_view->setObjectName(QStringLiteral("pageView"));
    m_view->setAutoFillBackground(true);
    QPalette grey = m_view->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    m_view->setPalette(grey);
    Prv = new PagePicture(m_view);
    m_view->installEventFilter(this);
    Prv->installEventFilter(this);

    hBar = new QScrollBar(Qt::Horizontal, this);
    hBar->setObjectName(QStringLiteral("hBar"));
    vBar = new QScrollBar(Qt::Vertical, this);
    vBar->setObjectName(QStringLiteral("vBar"));
    connect(hBar, &QScrollBar::valueChanged, this, &PrnPrv::SistemaHBAR);
    connect(vBar, &QScrollBar::valueChanged, this, &PrnPrv::SistemaVBAR);

    sBar = new QWidget(this);
    sBar->setObjectName(QStringLiteral("sBar"));
    auto *status = new QHBoxLayout(sBar);
    status->setContentsMargins(6, 2, 6, 2);
    const auto label = [&](const QString &name, const QString &text) {
        auto *l = new QLabel(text, sBar);
        l->setObjectName(name);
        status->addWidget(l);
        return l;
    };
    label(QStringLiteral("Label1"), QStringLiteral("page:"));
    aPag = label(QStringLiteral("aPag"), QString());
    label(QStringLiteral("Label3"), QStringLiteral("of"));
    tPag = label(QStringLiteral("tPag"), QString());
    label(QStringLiteral("Label5"), QStringLiteral("zoom:"));
    zPag = label(QStringLiteral("zPag"), QString());
    status->addStretch();

    Form_Load();
}

QPushButton *PrnPrv::button(int index, const QString &text, const QString &tip)
{
    auto *b = new QPushButton(text, bBar);
    b->setObjectName(QStringLiteral("Cmd%1").arg(index));
    b->setToolTip(tip);
    connect(b, &QPushButton::clicked, this, [this, index] { Cmd_Click(index); });
    Cmd[index] = b;
    return b;
}

void PrnPrv::Form_Load()
{
    const QRect screen = (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                           : QRect(0, 0, 1280, 1024));
    resize(screen.width() * 9 / 10, screen.height() * 9 / 10);
    move(screen.center() - rect().center());
    zVal->setCurrentIndex(int(kZooms.indexOf(QStringLiteral("100"))));
    Prv->cleared = true;
    Form_Resize();
}

bool PrnPrv::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        MostraPagina();
    return QWidget::event(e);
}

// The wheel over the page moves the scroll bars.
bool PrnPrv::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::Wheel && (watched == m_view || watched == Prv)) {
        auto *wheel = static_cast<QWheelEvent *>(e);
        const bool sideways = wheel->angleDelta().x() != 0 || (wheel->modifiers() & Qt::ShiftModifier);
        QApplication::sendEvent(sideways ? hBar : vBar, wheel);
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void PrnPrv::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void PrnPrv::Form_Resize()
{
    if (width() <= 66 || height() <= 66)
        return;
    const int barHeight = Cmd[0]->sizeHint().height() + 4;
    const int statusHeight = sBar->sizeHint().height();
    const int scroll = vBar->sizeHint().width();
    bBar->setGeometry(0, 0, width(), barHeight);
    sBar->setGeometry(0, height() - statusHeight, width(), statusHeight);
    hBar->setGeometry(0, height() - statusHeight - scroll, width() - scroll, scroll);
    vBar->setGeometry(width() - scroll, barHeight, scroll, height() - statusHeight - scroll - barHeight);
    m_view->setGeometry(0, barHeight, width() - scroll, height() - statusHeight - scroll - barHeight);
}

int PrnPrv::zoom() const { return zVal->currentText().toInt(); }

void PrnPrv::MostraPagina()
{
    const double z = zoom() / 100.0;
    const double pxPerTwip = logicalDpiX() / 1440.0;
    Prv->resize(qRound(z * kA4WidthTwips * pxPerTwip), qRound(z * kA4HeightTwips * logicalDpiY() / 1440.0));
    Prv->scaleSize = QSizeF(kA4WidthTwips, kA4HeightTwips);
    Prv->fontRatio = z;
    Prv->cleared = false;
    {
        const QSignalBlocker h(hBar), v(vBar);
        hBar->setValue(0);
        vBar->setValue(0);
    }
    RenderPreviewPage(0, 0);
}

void PrnPrv::RenderPreviewPage(int scrollX, int scrollY)
{
    WaitCursor wait;
    Prv->wantedPage = ePag->currentText().toInt();
    auto script = ReadScript(m_scriptPath);
    Prv->script = script ? *script : Script();
    Prv->failure = script ? QString() : script.error();
    Prv->cleared = false;
    // The scroll bars count in twips of the page, so an arrow step moves the
    // page by the same stretch of paper at every zoom.
    const double twipsPerPixelX = Prv->scaleSize.width() / std::max(1, Prv->width());
    const double twipsPerPixelY = Prv->scaleSize.height() / std::max(1, Prv->height());
    Prv->move(-qRound(scrollX / twipsPerPixelX), -qRound(scrollY / twipsPerPixelY));
    Prv->update();

    const auto range = [](QScrollBar *bar, int picture, int visible, double twipsPerPixel) {
        const QSignalBlocker block(bar);
        if (picture > visible) {
            const int maximum = int((picture - visible) * twipsPerPixel);
            bar->setRange(0, maximum);
            bar->setSingleStep(20);
            bar->setPageStep(std::max(1, int(qint64(maximum) * visible / picture)));
        } else {
            bar->setRange(0, 0);
        }
    };
    range(hBar, Prv->width(), m_view->width(), twipsPerPixelX);
    range(vBar, Prv->height(), m_view->height(), twipsPerPixelY);
    UpdatePageLabels();
}

void PrnPrv::SistemaHBAR() { RenderPreviewPage(hBar->value(), vBar->value()); }
void PrnPrv::SistemaVBAR() { RenderPreviewPage(hBar->value(), vBar->value()); }

void PrnPrv::UpdatePageLabels()
{
    aPag->setText(ePag->currentText());
    tPag->setText(QString::number(ePag->count()));
    zPag->setText(zVal->currentText() + QLatin1Char('%'));
}

void PrnPrv::ResetPageList()
{
    ePag->clear();
    ePag->addItem(QStringLiteral("1"));
    ePag->setCurrentIndex(0);
}

void PrnPrv::Cmd_Click(int index)
{
    switch (index) {
    case 0:
        MostraPagina();
        break;
    case 1:
        if (zVal->currentIndex() < zVal->count() - 1) {
            zVal->setCurrentIndex(zVal->currentIndex() + 1);
            MostraPagina();
        }
        break;
    case 2:
        if (zVal->currentIndex() > 0) {
            zVal->setCurrentIndex(zVal->currentIndex() - 1);
            MostraPagina();
        }
        break;
    case 4:
        printFirstPage();
        break;
    case 10:
        close();
        break;
    default:
        break;
    }
}

void PrnPrv::printFirstPage()
{
    if (!m_printers.hasPrinter()) {
        m_dialogs.message(this, kNoPrinterText, QStringLiteral("Error"), UserDialogs::Icon::Critical);
        return;
    }
    const std::unique_ptr<QPrinter> printer = m_printers.choosePrinter(this);
    if (!printer)
        return;
    const auto script = ReadScript(m_scriptPath);
    if (!script) {
        m_dialogs.message(this, script.error(), QStringLiteral("Error"), UserDialogs::Icon::Critical);
        return;
    }
    WaitCursor wait;
    PrintDocument(m_printers, *printer, m_jobTitle, m_dialogs, this, [&](PaintTarget &target) { PrintScriptPages(*script, 1, 1, target); });
}

// A 15 x 21 cm page; drawn at the next redraw.
void PrnPrv::Command3_Click()
{
    Prv->cleared = true;
    Prv->resize(qRound(15.0 / 21.0 * Prv->height()), Prv->height());
    Prv->scaleSize = QSizeF(8505, 11907);
    Prv->fontRatio = Prv->height() * 1440.0 / logicalDpiY() / 11907;
    Prv->update();
}

} // namespace print
