#include "frmWAIT.h"

#include "UserDialogs.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString kOk = QStringLiteral("OK");
}

frmWAIT::frmWAIT(UserDialogs &dialogs, QWidget *parent, Timing timing)
    : QDialog(parent), m_dialogs(dialogs), m_timing(timing)
{
    setObjectName(QStringLiteral("frmWAIT"));
    setWindowTitle(QStringLiteral("Read the data from the transceiver。。。"));
    setModal(true);

    pgbCount = new QProgressBar(this);
    pgbCount->setObjectName(QStringLiteral("pgbCount"));
    pgbCount->setRange(0, core::link::kProgressMaximum);
    pgbCount->setValue(0);
    // A bar without a percentage text, as the transfer dialog always had; it
    // then repaints only when the bar has grown by a chunk, not at every block.
    pgbCount->setTextVisible(false);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    connect(cmdCancel, &QPushButton::clicked, this, &frmWAIT::cmdCancel_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pgbCount);
    layout->addWidget(cmdCancel, 0, Qt::AlignHCenter);
    resize(420, 110);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(m_timing.startDelayMs);
    connect(Timer1, &QTimer::timeout, this, &frmWAIT::Timer1_Timer);
}

frmWAIT::~frmWAIT() = default;

void frmWAIT::setReadJob(QIODevice *port, const QString &scratchPath)
{
    blnn = false;
    m_port = port;
    m_scratchPath = scratchPath;
}

void frmWAIT::setWriteJob(QIODevice *port, const core::MemoryImage &image)
{
    blnn = true;
    m_port = port;
    m_image = image;
}

const core::MemoryImage &frmWAIT::receivedImage() const
{
    static const core::MemoryImage none;
    return m_link ? m_link->protocol().image() : none;
}

void frmWAIT::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        blnReandOrWrite = true;
        Timer1->start();
    }
}

void frmWAIT::Timer1_Timer()
{
    m_link = new SerialLink(m_port, m_timing.timeoutMs, this);
    m_link->setWakeIntervalMs(m_timing.wakeIntervalMs);
    connect(m_link, &SerialLink::progressChanged, pgbCount, &QProgressBar::setValue);
    connect(m_link, &SerialLink::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_link, &SerialLink::finished, this, &frmWAIT::onFinished);
    if (blnn)
        m_link->startWrite(m_image);
    else
        m_link->startRead(m_scratchPath);
}

void frmWAIT::onFinished(SerialLink::Outcome outcome, const QString &message)
{
    using Outcome = SerialLink::Outcome;
    m_outcome = outcome;
    switch (outcome) {
    case Outcome::Completed:
        m_result = Result::Completed;
        pgbCount->setValue(core::link::kProgressMaximum);
        cmdCancel->setText(kOk);
        accept();
        return;
    case Outcome::Cancelled:
        m_result = Result::Cancelled;
        break;
    case Outcome::TimedOut:
        m_result = Result::Failed;
        m_dialogs.message(this, message, QStringLiteral("Information"), UserDialogs::Icon::Information);
        break;
    case Outcome::NotAcknowledged:
        m_result = Result::Failed;
        m_dialogs.message(this, message, QString(), UserDialogs::Icon::None);
        break;
    case Outcome::DeviceFailed:
        m_result = Result::Failed;
        m_dialogs.message(this, message, QStringLiteral("Information"), UserDialogs::Icon::Critical);
        break;
    }
    done(QDialog::Rejected);
}

void frmWAIT::cmdCancel_Click()
{
    if (cmdCancel->text() == kOk) {
        done(m_result == Result::Completed ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    const bool running = m_link && m_link->isRunning();
    if (m_link && (!running || m_link->isClosing()))
        return; // the transfer has just ended and the dialog is closing
    // The transfer stands still while the user decides, as it did when the question was modal.
    if (running)
        m_link->pause();
    else
        Timer1->stop();
    const auto answer = m_dialogs.message(this, QStringLiteral("Are you sure"), QStringLiteral("Information"),
                                          UserDialogs::Icon::None, UserDialogs::Buttons::OkCancel);
    if (answer != UserDialogs::Answer::Ok) {
        if (running)
            m_link->resume();
        else
            Timer1->start();
        return;
    }
    blnReandOrWrite = false;
    if (running) {
        m_link->cancel(); // ends in onFinished, which closes the dialog
        return;
    }
    m_result = Result::Cancelled;
    if (m_port && m_port->isOpen())
        m_port->close();
    done(QDialog::Rejected);
}

void frmWAIT::stopTransfer()
{
    blnReandOrWrite = false;
    if (m_link) {
        m_link->cancel(); // ends in onFinished once the port is closed, which closes the dialog
        return;
    }
    Timer1->stop();
    m_result = Result::Cancelled;
    if (m_port && m_port->isOpen())
        m_port->close();
    done(QDialog::Rejected);
}

void frmWAIT::reject()
{
    cmdCancel_Click();
}

void frmWAIT::closeEvent(QCloseEvent *event)
{
    if (m_link && m_link->isRunning()) {
        event->ignore();
        cmdCancel_Click();
        return;
    }
    QDialog::closeEvent(event);
}

frmWAIT::Result frmWAIT::RunRead(UserDialogs &dialogs, QWidget *parent, QIODevice *port, const QString &scratchPath,
                                 Timing timing)
{
    frmWAIT w(dialogs, parent, timing);
    w.setReadJob(port, scratchPath);
    w.exec();
    return w.result();
}

frmWAIT::Result frmWAIT::RunWrite(UserDialogs &dialogs, QWidget *parent, QIODevice *port,
                                  const core::MemoryImage &image, Timing timing)
{
    frmWAIT w(dialogs, parent, timing);
    w.setWriteJob(port, image);
    w.exec();
    return w.result();
}
