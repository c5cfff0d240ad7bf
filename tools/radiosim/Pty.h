#pragma once

#include <QString>

// The master side of a pseudo-terminal whose slave is in raw mode.
class Pty {
public:
    Pty() = default;
    ~Pty();
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    // On failure returns false and leaves the reason in error().
    // idleBaud: the rate the port is at until a program sets its own.
    bool open(int idleBaud = 38400);
    int masterFd() const { return m_master; }
    QString slavePath() const { return m_slavePath; }
    QString error() const { return m_error; }

private:
    int m_master = -1;
    int m_slave = -1; // kept open so the master survives a client closing its end
    QString m_slavePath;
    QString m_error;
};
