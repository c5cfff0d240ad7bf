#pragma once

#include "common/frmWAIT.h"
#include "core/MemoryImage.h"
#include "core/Result.h"

#include <QPointer>
#include <functional>

class QSerialPort;
class QWidget;
class UserDialogs;

// Program > Read and Write: asked first, then one transfer runs in its wait
// dialog on the port the port dialog chose, and the port is closed after.
// A program that is asked to end while a transfer runs stops the transfer
// and ends once its dialog has closed.
class TransferCommands {
public:
    // What the commands need of the window.
    struct Window {
        QWidget *parent = nullptr;
        std::function<int()> portNumber;                        // the port dialog's choice
        std::function<bool()> commitOpenEditor;                 // false: the open cell was refused
        std::function<core::Result<core::MemoryImage>()> image; // the whole image as the radio gets it
        std::function<void(const QString &path)> load;          // a completed read's scratch file
        std::function<void()> activate;                         // after a transfer, unless the program ends
        std::function<void()> end;                              // the program ends
    };

    TransferCommands(UserDialogs &dialogs, QSerialPort &port, TransferTiming timing, QString scratchPath,
                     Window window);

    void read();
    void write();
    void closePort();

    // The transfer's dialog while one runs, else null.
    frmWAIT *running() const { return m_running; }
    // Ends the program now, or, with a transfer running, stops it and ends
    // once its command has finished.
    void endProgram();

private:
    bool openPort();
    frmWAIT::Result run(frmWAIT &wait);
    void finish();

    UserDialogs &m_dialogs;
    QSerialPort &m_port;
    TransferTiming m_timing;
    QString m_scratchPath;
    Window m_window;
    QPointer<frmWAIT> m_running;
    bool m_ending = false;
};
