#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every message box and file dialog of the programs goes through this
// interface, so that tests can answer them and see what was asked.
class UserDialogs {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~UserDialogs() = default;

    // An empty title shows the program's title.
    virtual Answer message(QWidget *parent, const QString &text, const QString &title = QString(),
                           Icon icon = Icon::None, Buttons buttons = Buttons::Ok) = 0;

    // Filters in Qt's form ("chp(*.chp);;All Files(*.*)"). An empty result means cancelled.
    virtual QString openFileName(QWidget *parent, const QString &filter, const QString &startPath) = 0;
    // Asks before overwriting an existing file.
    virtual QString saveFileName(QWidget *parent, const QString &filter, const QString &startPath) = 0;
};
