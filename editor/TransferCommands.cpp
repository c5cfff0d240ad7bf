#include "TransferCommands.h"

#include "common/PortList.h"
#include "common/UserDialogs.h"

#include <QSerialPort>

TransferCommands::TransferCommands(UserDialogs &dialogs, QSerialPort &port, TransferTiming timing,
                                   QString scratchPath, Window window)
    : m_dialogs(dialogs), m_port(port), m_timing(timing), m_scratchPath(std::move(scratchPath)),
      m_window(std::move(window))
{
}

void TransferCommands::closePort()
{
    if (m_port.isOpen())
        m_port.close();
}

// A closed port is opened on the port dialog's choice.
bool TransferCommands::openPort()
{
    if (m_port.isOpen())
        return true;
    const core::Status opened = OpenSerialPortNumber(m_port, m_window.portNumber());
    if (!opened)
        m_dialogs.message(m_window.parent, opened.error(), QStringLiteral("Error"), UserDialogs::Icon::Information);
    return opened.ok();
}

frmWAIT::Result TransferCommands::run(frmWAIT &wait)
{
    m_running = &wait;
    wait.exec();
    m_running = nullptr;
    return wait.result();
}

void TransferCommands::finish()
{
    closePort();
    if (m_ending) {
        m_window.end();
        return;
    }
    m_window.activate();
}

void TransferCommands::read()
{
    if (m_dialogs.message(m_window.parent, QStringLiteral("Do you want to read the data from the transceiver?"),
                          QString(), UserDialogs::Icon::None,
                          UserDialogs::Buttons::OkCancel) != UserDialogs::Answer::Ok)
        return;
    if (openPort()) {
        frmWAIT wait(m_dialogs, m_window.parent, m_timing);
        wait.setReadJob(&m_port, m_scratchPath);
        // A read that does not complete leaves the window as it was.
        if (run(wait) == frmWAIT::Result::Completed)
            m_window.load(m_scratchPath);
    }
    finish();
}

void TransferCommands::write()
{
    if (!m_window.commitOpenEditor())
        return;
    if (m_dialogs.message(m_window.parent, QStringLiteral("Do you want to write the data to the transceiver?"),
                          QStringLiteral("Writing  Data Progress"), UserDialogs::Icon::None,
                          UserDialogs::Buttons::OkCancel) != UserDialogs::Answer::Ok)
        return;
    // The whole image is built before anything is sent, so a cell that does
    // not fit its code stops the write before the radio is touched.
    const auto image = m_window.image();
    if (!image) {
        m_dialogs.message(m_window.parent, image.error(), QStringLiteral("Information"), UserDialogs::Icon::Information);
        return;
    }
    if (openPort()) {
        frmWAIT wait(m_dialogs, m_window.parent, m_timing);
        wait.setWriteJob(&m_port, *image);
        run(wait);
    }
    finish();
}

void TransferCommands::endProgram()
{
    m_ending = true;
    if (m_running && m_running->isVisible())
        m_running->stopTransfer();
    else
        m_window.end();
}
