#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class UserDialogs;

// The texts of one program's About box.
struct AboutTexts {
    QString caption;
    QString title;
    QString description;
    QString version; // empty: no version line
    QString settingsFile = {}; // the settings file in use; empty: not shown

    // Heron's and Pelican's box: caption and title from the program's title.
    static AboutTexts forProgram(const QString &programTitle, const QString &version);
    // The two sentences; the second starts on a new line behind 49 blanks.
    static QString describe(const QString &firstSentence);
};

// The About box; "SysInfo" starts a system information program from PATH.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(UserDialogs &dialogs, const AboutTexts &texts, QWidget *parent = nullptr);

    // Tried in this order; a name is looked up on PATH, an absolute path is taken as it is.
    QStringList sysInfoPrograms = defaultSysInfoPrograms();
    static QStringList defaultSysInfoPrograms();

    // Starts the first program of sysInfoPrograms that exists, detached;
    // says so when there is none or when it fails to start.
    void StartSysInfo();

private:
    UserDialogs &m_dialogs;
    QLabel *Image1;
    QLabel *lblTitle;
    QLabel *lblDescription;
    QLabel *Label1;
    QLabel *lblSettings;
    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;
};
