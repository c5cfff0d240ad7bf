#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>

// Keeps every control of a window in proportion to the window: positions and
// sizes follow the two size ratios, fonts the smaller one.
class ProportionalLayout {
public:
    struct Geometry {
        double left = 0, top = 0, width = 0, height = 0, fontSize = 0;
    };

    // Pure rules, in whatever unit the caller records in.
    static double ScaleLeft(double currentLeft, double recordedLeft, double xr, double parkOffset);
    static double ScaleFont(double recordedSize, double fr);

    // Records the window's size and the geometry and font of each of its
    // named descendant widgets, as they are now.
    void record(QWidget *window);
    // Rescales every recorded control for the window's current size.
    void apply(const QSize &windowSize);
    // Records the window now, then rescales it on each of its resizes and runs afterResize.
    void follow(QWidget *window, std::function<void()> afterResize);

    bool isRecorded() const { return m_start.isValid(); }

private:
    struct Record {
        QPointer<QWidget> control;
        Geometry geometry;
    };
    QSize m_start;
    QList<Record> m_records;
    std::unique_ptr<QObject> m_follower;
};
