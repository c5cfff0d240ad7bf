#pragma once

#include <QTimer>

class QLabel;
class QMainWindow;
class QStatusBar;

// The window's status bar: its caption, then the date and the time, kept current.
class StatusClock {
public:
    StatusClock(QMainWindow *window, const QString &caption);

    QStatusBar *bar() const { return m_bar; }

private:
    void update();

    QStatusBar *m_bar;
    QLabel *m_date = nullptr;
    QLabel *m_time = nullptr;
    QTimer m_clock;
};
