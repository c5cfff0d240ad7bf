#pragma once

#include "UserDialogs.h"

// The real dialogs.
class QtUserDialogs : public UserDialogs {
public:
    explicit QtUserDialogs(QString programTitle) : m_title(std::move(programTitle)) {}

    Answer message(QWidget *parent, const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    QString openFileName(QWidget *parent, const QString &filter, const QString &startPath) override;
    QString saveFileName(QWidget *parent, const QString &filter, const QString &startPath) override;

private:
    QString m_title;
};
