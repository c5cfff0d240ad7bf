#pragma once

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

namespace testsupport {

// Notches of the mouse wheel over the middle of a widget, one event each;
// negative notches turn the wheel towards the user (scrolling down).
inline void wheel(QWidget *target, int notches)
{
    const QPointF pos = QRectF(target->rect()).center();
    for (int i = 0; i < qAbs(notches); ++i) {
        QWheelEvent e(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, notches < 0 ? -120 : 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &e);
    }
}

} // namespace testsupport
