#include "ProportionalLayout.h"

#include <QEvent>

#include <cmath>

namespace {
// A control parked off-screen stays parked at this distance.
constexpr double kParkOffset = 5000; // pixels (75000 twips)

class ResizeFollower : public QObject {
public:
    explicit ResizeFollower(std::function<void()> resized) : m_resized(std::move(resized)) {}
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Resize)
            m_resized();
        return QObject::eventFilter(watched, e);
    }

private:
    std::function<void()> m_resized;
};
}

double ProportionalLayout::ScaleLeft(double currentLeft, double recordedLeft, double xr, double parkOffset)
{
    if (currentLeft < 0)
        return (currentLeft + parkOffset) * xr - parkOffset;
    if (recordedLeft < 0)
        return (recordedLeft + parkOffset) * xr;
    return recordedLeft * xr;
}

double ProportionalLayout::ScaleFont(double recordedSize, double fr)
{
    const float s = float(recordedSize * fr);
    return (s > 7.0f && s < 8.0f) ? 7.0 : double(s);
}

void ProportionalLayout::record(QWidget *window)
{
    m_start = window->size();
    m_records.clear();
    for (QWidget *w : window->findChildren<QWidget *>()) {
        // Only the program's own controls: the parts inside Qt's widgets follow their owners.
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect g = w->geometry();
        m_records.append({w, {double(g.x()), double(g.y()), double(g.width()), double(g.height()), w->font().pointSizeF()}});
    }
}

void ProportionalLayout::apply(const QSize &windowSize)
{
    if (!isRecorded() || m_start.width() <= 0 || m_start.height() <= 0)
        return;
    const double xr = double(windowSize.width()) / m_start.width();
    const double yr = double(windowSize.height()) / m_start.height();
    const double fr = yr > xr ? xr : yr;
    for (const Record &r : m_records) {
        QWidget *w = r.control;
        if (!w)
            continue;
        const Geometry &g = r.geometry;
        // Widgets managed by a layout of their own follow that layout.
        if (!(w->parentWidget() && w->parentWidget()->layout())) {
            const double left = ScaleLeft(w->x(), g.left, xr, kParkOffset);
            w->setGeometry(int(std::lround(left)), int(std::lround(g.top * yr)), int(std::lround(g.width * xr)),
                           int(std::lround(g.height * yr)));
        }
        if (g.fontSize > 0) {
            QFont f = w->font();
            f.setPointSizeF(ScaleFont(g.fontSize, fr));
            w->setFont(f);
        }
    }
}

void ProportionalLayout::follow(QWidget *window, std::function<void()> afterResize)
{
    record(window);
    m_follower = std::make_unique<ResizeFollower>([this, window, afterResize = std::move(afterResize)] {
        apply(window->size());
        afterResize();
    });
    window->installEventFilter(m_follower.get());
}
