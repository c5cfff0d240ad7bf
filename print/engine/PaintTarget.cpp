#include "PaintTarget.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <mutex>

namespace print {

namespace {

// Sizes the platform cannot draw are kept inside what a font can have.
double drawableSize(double points) { return std::clamp(points, 0.5, 2000.0); }

} // namespace

QFont PrintFont::toQFont() const
{
    InstallPrintFonts();
    QFont f(name);
    f.setPointSizeF(drawableSize(size));
    f.setBold(bold);
    return f;
}

void InstallPrintFonts()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // A Song (Ming) face first: its narrow Latin letters keep the table's columns apart.
        const QStringList cjk{"AR PL UMing CN", "Noto Serif CJK SC", "WenQuanYi Zen Hei", "Noto Sans CJK SC"};
        QFont::insertSubstitutions(QStringLiteral("宋体"), cjk);
        QFont::insertSubstitutions(QStringLiteral("SimSun"), cjk);
        QFont::insertSubstitutions(QStringLiteral("Arial"), {"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans"});
    });
}

QColor ColorFromNumber(long long number)
{
    const auto n = static_cast<unsigned long long>(number) & 0xFFFFFFu;
    return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
}

double TextWidthTwips(const QString &text, const PrintFont &font)
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(qRound(1440 / 0.0254));
        image.setDotsPerMeterY(qRound(1440 / 0.0254));
        return image;
    }();
    return QFontMetricsF(font.toQFont(), &device).horizontalAdvance(text);
}

PainterTarget::PainterTarget(QPainter &painter, const QRectF &deviceRect, std::function<bool()> newPage)
    : m_painter(painter), m_device(deviceRect), m_scale(deviceRect), m_newPage(std::move(newPage))
{
}

QPointF PainterTarget::toDevice(const QPointF &p) const
{
    const double sx = m_scale.width() != 0 ? m_device.width() / m_scale.width() : 0;
    const double sy = m_scale.height() != 0 ? m_device.height() / m_scale.height() : 0;
    return {m_device.left() + (p.x() - m_scale.left()) * sx, m_device.top() + (p.y() - m_scale.top()) * sy};
}

double PainterTarget::xToUser(double dx) const
{
    return m_device.width() != 0 ? dx * m_scale.width() / m_device.width() : 0;
}

double PainterTarget::yToUser(double dy) const
{
    return m_device.height() != 0 ? dy * m_scale.height() / m_device.height() : 0;
}

QFont PainterTarget::deviceFont(const PrintFont &font) const
{
    // A point size is resolved against the painter's device, not the screen.
    return QFont(font.toQFont(), m_painter.device());
}

void PainterTarget::drawText(const QPointF &topLeft, const QString &text, const PrintFont &font)
{
    if (text.isEmpty())
        return;
    const QFont f = deviceFont(font);
    m_painter.setFont(f);
    m_painter.setPen(Qt::black);
    const QPointF at = toDevice(topLeft);
    m_painter.drawText(QPointF(at.x(), at.y() + QFontMetricsF(f, m_painter.device()).ascent()), text);
}

double PainterTarget::textWidth(const QString &text, const PrintFont &font) const
{
    return xToUser(QFontMetricsF(deviceFont(font), m_painter.device()).horizontalAdvance(text));
}

double PainterTarget::textHeight(const PrintFont &font) const
{
    return yToUser(QFontMetricsF(deviceFont(font), m_painter.device()).height());
}

void PainterTarget::drawLine(const QPointF &from, const QPointF &to, const QColor &color)
{
    m_painter.setPen(QPen(color, 0));
    m_painter.drawLine(toDevice(from), toDevice(to));
}

void PainterTarget::drawBox(const QRectF &box, const QColor &outline, const BoxFill &fill)
{
    static const Qt::BrushStyle kStyles[] = {Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern, Qt::VerPattern,
                                             Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    const Qt::BrushStyle style = fill.style >= 0 && fill.style < 8 ? kStyles[fill.style] : Qt::NoBrush;
    m_painter.setPen(QPen(outline, 0));
    m_painter.setBrush(QBrush(fill.color, style));
    m_painter.drawRect(QRectF(toDevice(box.topLeft()), toDevice(box.bottomRight())).normalized());
    m_painter.setBrush(Qt::NoBrush);
}

} // namespace print
