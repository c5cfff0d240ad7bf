#include "StatusClock.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>

StatusClock::StatusClock(QMainWindow *window, const QString &caption) : m_bar(window->statusBar())
{
    m_bar->setObjectName(QStringLiteral("sbStatusBar"));
    m_bar->setSizeGripEnabled(false);
    const auto panel = [this](const QString &name, int stretch) {
        auto *l = new QLabel(m_bar);
        l->setObjectName(name);
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        l->setContentsMargins(4, 0, 4, 0);
        m_bar->addPermanentWidget(l, stretch);
        return l;
    };
    panel(QStringLiteral("sbCaption"), 1)->setText(caption);
    m_date = panel(QStringLiteral("sbDate"), 0);
    m_time = panel(QStringLiteral("sbTime"), 0);
    update();
    // Each tick lands just after the second changes, so the time never lags a second.
    m_clock.setTimerType(Qt::PreciseTimer);
    m_clock.setInterval(1000);
    QObject::connect(&m_clock, &QTimer::timeout, m_bar, [this] { update(); });
    m_clock.start();
}

void StatusClock::update()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    m_date->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_time->setText(locale.toString(now.time(), QLocale::ShortFormat));
    m_clock.setInterval(1000 - now.time().msec() + 5);
}
