#pragma once

#include "SerialLink.h"
#include "core/MemoryImage.h"

#include <QDialog>
#include <QPointer>
#include <optional>

class QIODevice;
class QProgressBar;
class QPushButton;
class QTimer;
class UserDialogs;

// Users always get the defaults; tests shorten them.
struct TransferTiming {
    int startDelayMs = 500;
    int timeoutMs = core::link::kTimeoutMs;
    int wakeIntervalMs = core::link::kWakeIntervalMs;
};

// The modal dialog inside which one read or write transfer runs. The caller opens
// the port, gives the dialog its job, calls exec() and then asks result(); the
// port is closed when exec() returns, whatever the outcome.
class frmWAIT : public QDialog {
    Q_OBJECT
public:
    enum class Result { Completed, Cancelled, Failed };

    using Timing = TransferTiming;

    explicit frmWAIT(UserDialogs &dialogs, QWidget *parent = nullptr, Timing timing = Timing());
    ~frmWAIT() override;

    bool blnn = false;           // true: write to the radio; false: read it
    bool blnReandOrWrite = true; // false once the user has confirmed Cancel

    // A read: the replies go into scratchPath, created afresh (ReceivedScratchPath() by default).
    void setReadJob(QIODevice *port, const QString &scratchPath = ReceivedScratchPath());
    // A write of the whole 1024-byte image.
    void setWriteJob(QIODevice *port, const core::MemoryImage &image);

    Result result() const { return m_result; }
    SerialLink::Outcome linkOutcome() const { return m_outcome; }
    // The blocks that arrived in a read; complete only when result() is Completed.
    const core::MemoryImage &receivedImage() const;
    const QString &scratchPath() const { return m_scratchPath; }

    // Runs a read or a write modally and returns how it ended.
    static Result RunRead(UserDialogs &dialogs, QWidget *parent, QIODevice *port,
                          const QString &scratchPath = ReceivedScratchPath(), Timing timing = Timing());
    static Result RunWrite(UserDialogs &dialogs, QWidget *parent, QIODevice *port, const core::MemoryImage &image,
                           Timing timing = Timing());

    void reject() override; // Escape and the close button ask like Cancel does
    // Stops the transfer as a confirmed Cancel does, without asking: the program is ending.
    void stopTransfer();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Timer1_Timer();
    void cmdCancel_Click();
    void onFinished(SerialLink::Outcome outcome, const QString &message);

    UserDialogs &m_dialogs;
    Timing m_timing;
    QPointer<QIODevice> m_port;
    QString m_scratchPath;
    core::MemoryImage m_image;
    SerialLink *m_link = nullptr;
    QTimer *Timer1 = nullptr;
    QProgressBar *pgbCount = nullptr;
    QPushButton *cmdCancel = nullptr;
    bool m_started = false;
    Result m_result = Result::Failed;
    SerialLink::Outcome m_outcome = SerialLink::Outcome::Cancelled;
};
