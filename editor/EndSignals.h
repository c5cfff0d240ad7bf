#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP as an event: the handler only writes the signal's
// number into a pipe, and received() is emitted from the event loop, where the
// program may end as on Exit. Only one instance may live at a time; the old
// handlers come back when it goes.
class EndSignals : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

signals:
    void received(int signalNumber);

private:
    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
};
