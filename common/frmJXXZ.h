#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class UserDialogs;

// Asks which model is to be edited. The caller keeps the answer (strjx)
// and reads, after the modal show, which list item was chosen.
class frmJXXZ : public QDialog {
    Q_OBJECT
public:
    // strjx outlives the dialog; it changes only on OK.
    frmJXXZ(UserDialogs &dialogs, const QStringList &models, QString &strjx, QWidget *parent = nullptr);

    // The list position that OK took, or -1 before OK.
    int chosenPosition() const { return m_chosen; }
    bool itemChosen() const { return m_chosen >= 0; }
    const QStringList &models() const { return m_models; }

    // Set by OK: every list entry followed by ";", then one more ";".
    QString strMenuItem;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cmdOK_Click();

    UserDialogs &m_dialogs;
    QStringList m_models;
    QString &m_strjx;
    int m_chosen = -1;
    QLabel *Label1;
    QComboBox *cmbJX;
    QPushButton *cmdOK;
};
