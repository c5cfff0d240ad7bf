#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class UserDialogs;

// The password gate in front of the band editor. The caller shows it
// modally and opens the editor only when LoginSucceeded is true afterwards.
class frmLogin : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAttempts = 3;

    explicit frmLogin(UserDialogs &dialogs, QWidget *parent = nullptr);

    // False from every opening on, so only the right password of this
    // showing can let the caller through.
    bool LoginSucceeded = false;

    static QString password();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();

    UserDialogs &m_dialogs;
    int m_attempt = 1;
    QLabel *Image1;
    QLineEdit *txtPassword;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};
