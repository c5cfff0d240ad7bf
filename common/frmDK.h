#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;
class UserDialogs;

// The port choice. The chosen button's index is DKH; the port number is DKH + 1.
// The caller keeps DKH between showings and hands it back in.
class frmDK : public QDialog {
    Q_OBJECT
public:
    static constexpr int kButtons = 4;

    // currentPort: the port number set in the main window (1..), for the preselection.
    // closePort: closes the main window's port; a port is never open while choosing.
    frmDK(UserDialogs &dialogs, int dkh, int currentPort, std::function<void()> closePort,
          QWidget *parent = nullptr);

    int DKH = 0;

    const QStringList &ports() const { return m_ports; }

private:
    void optDK_Click(int index);
    void cmdQD_Click();

    UserDialogs &m_dialogs;
    QStringList m_ports;
    std::array<QRadioButton *, kButtons> optDK{};
    std::array<QLabel *, kButtons> lblDevice{};
    QLabel *lblNote = nullptr;
    QPushButton *cmdQD = nullptr;
};
