#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace testsupport {

// Does what a user would do in the next modal dialog (of the named kind, if
// a name is given) once it is up.
inline void whenModal(std::function<void(QWidget *)> act, const QString &name = QString())
{
    QTimer::singleShot(0, [act, name] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || (!name.isEmpty() && w->objectName() != name)) {
            whenModal(act, name);
            return;
        }
        act(w);
    });
}

} // namespace testsupport
