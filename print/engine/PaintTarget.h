#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>

class QPainter;

namespace print {

// A font as the page asks for it; the size is in points on the target
// (physical points on paper, screen points on a picture).
struct PrintFont {
    QString name = QStringLiteral("Arial");
    double size = 8;
    bool bold = false;

    QFont toQFont() const;
    bool operator==(const PrintFont &) const = default;
};

// Box filling of the print script: 0 solid, 1 transparent, 2..7 hatches.
struct BoxFill {
    int style = 1;
    QColor color = Qt::black;
};

// Where a page is drawn: a picture, a window or a printer. Positions are in
// the target's user scale, which covers its whole drawing area.
class PaintTarget {
public:
    virtual ~PaintTarget() = default;

    virtual void setScale(const QRectF &scale) = 0;
    virtual QRectF scale() const = 0;

    // topLeft is the top left corner of the text's line.
    virtual void drawText(const QPointF &topLeft, const QString &text, const PrintFont &font) = 0;
    virtual double textWidth(const QString &text, const PrintFont &font) const = 0;
    virtual double textHeight(const PrintFont &font) const = 0;
    virtual void drawLine(const QPointF &from, const QPointF &to, const QColor &color) = 0;
    virtual void drawBox(const QRectF &box, const QColor &outline, const BoxFill &fill) = 0;
    // False when the target has no further pages (a picture) or the printer failed.
    virtual bool newPage() = 0;
};

// Draws through a QPainter onto the painter's device, whose area
// deviceRect the user scale covers. Fonts keep their point size on the
// device: the scale moves positions, it does not stretch the letters.
class PainterTarget : public PaintTarget {
public:
    PainterTarget(QPainter &painter, const QRectF &deviceRect, std::function<bool()> newPage = {});

    void setScale(const QRectF &scale) override { m_scale = scale; }
    QRectF scale() const override { return m_scale; }
    void drawText(const QPointF &topLeft, const QString &text, const PrintFont &font) override;
    double textWidth(const QString &text, const PrintFont &font) const override;
    double textHeight(const PrintFont &font) const override;
    void drawLine(const QPointF &from, const QPointF &to, const QColor &color) override;
    void drawBox(const QRectF &box, const QColor &outline, const BoxFill &fill) override;
    bool newPage() override { return m_newPage ? m_newPage() : false; }

private:
    QPointF toDevice(const QPointF &p) const;
    double xToUser(double deviceDx) const;
    double yToUser(double deviceDy) const;
    QFont deviceFont(const PrintFont &font) const;

    QPainter &m_painter;
    QRectF m_device;
    QRectF m_scale;
    std::function<bool()> m_newPage;
};

// Text width in twips of the page, measured at 1440 dots per inch so that
// it does not depend on any screen.
double TextWidthTwips(const QString &text, const PrintFont &font);

// "宋体" and "Arial" are mapped to installed families (a CJK font for the
// first) once per program.
void InstallPrintFonts();

// A colour number of the print script: 0x00BBGGRR.
QColor ColorFromNumber(long long number);

} // namespace print
