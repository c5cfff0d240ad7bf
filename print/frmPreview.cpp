#include "frmPreview.h"
#include "Printers.h"
#include "engine/PrintScript.h"

#include "common/UserDialogs.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

namespace print {

namespace {

// Holds the drawn page and shows white where it has grown beyond it.
class PagePictureBox : public QWidget {
public:
    PagePictureBox(const QImage &image, QWidget *parent) : QWidget(parent), m_image(image)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *e) override
    {
        QPainter p(this);
        p.fillRect(e->rect(), Qt::white);
        p.drawImage(0, 0, m_image);
    }

private:
    const QImage &m_image;
};

constexpr int kPictureLeft = -30, kPictureWidth = 9015, kPictureHeight = 8025;
constexpr int kFrameWidth = 9015, kFrameHeight = 7965;

} // namespace

frmPreview::frmPreview(DataPageLayout layout, Printers &printers, UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_layout(std::move(layout)), m_printers(printers), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("printVIEW"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(9285), px(7980));

    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(0, 0, px(kFrameWidth), px(kFrameHeight));
    m_image = QImage(px(kPictureWidth), px(kPictureHeight), QImage::Format_RGB32);
    m_image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    m_image.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    m_image.fill(Qt::white);
    Picture1 = new PagePictureBox(m_image, Picture2);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    m_pictureHeight = kPictureHeight;
    Picture1->setGeometry(px(kPictureLeft), 0, px(kPictureWidth), px(kPictureHeight));

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setGeometry(px(9030), 0, px(255), px(kFrameHeight));
    VScroll1->setRange(0, kFrameHeight);
    VScroll1->setSingleStep(150);
    VScroll1->setPageStep(1500);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmPreview::VScroll1_Change);
}

int frmPreview::px(double twips) const { return qRound(twips * logicalDpiY() / 1440.0); }

QString frmPreview::text(const QString &variable) const
{
    for (int i = 0; i < m_layout.settings.size(); ++i)
        if (m_layout.settings.at(i).variable == variable)
            return data.texts.value(i);
    return QString();
}

// Page ratio between the picture and the printer's paper (A4 without a printer).
double frmPreview::SetupPageScale() const
{
    const QSizeF page = m_printers.pageSizeTwips() / 1440.0;
    // The picture as laid out: what scrolling adds to it does not change the page.
    const QSizeF picture(px(kPictureWidth) / double(logicalDpiX()), px(kPictureHeight) / double(logicalDpiY()));
    return PageRatio(picture, page);
}

void frmPreview::Preview()
{
    const double ratio = SetupPageScale();
    m_image.fill(Qt::white);
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PainterTarget target(painter, QRectF(m_image.rect()));
    DrawDataPage(target, m_layout, data, ratio, false);
    painter.end();
    Picture1->update();
}

bool frmPreview::PrintF()
{
    const auto printer = m_printers.defaultPrinter();
    bool printed = false;
    if (!printer) {
        m_dialogs.message(this, kNoPrinterText, QStringLiteral("Error"), UserDialogs::Icon::Critical);
    } else {
        const double ratio = SetupPageScale();
        printed = PrintDocument(m_printers, *printer, jobTitle, m_dialogs, this,
                                [&](PaintTarget &target) { DrawDataPage(target, m_layout, data, ratio, true); });
    }
    close();
    return printed;
}

// The picture moves; it is not drawn again, and what it gains is white.
void frmPreview::VScroll1_Change(int value)
{
    m_pictureTop = -value;
    if (m_pictureTop + m_pictureHeight < VScroll1->maximum())
        m_pictureHeight += value;
    Picture1->setGeometry(px(kPictureLeft), px(m_pictureTop), px(kPictureWidth), px(m_pictureHeight));
}

} // namespace print
