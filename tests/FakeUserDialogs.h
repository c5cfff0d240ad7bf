#pragma once

#include "common/UserDialogs.h"

#include <QList>
#include <QQueue>
#include <functional>

// Answers dialogs from a queue and records what was asked. With nothing
// queued a message is answered Ok (Yes for a yes/no question) and a file
// dialog is cancelled.
class FakeUserDialogs : public UserDialogs {
public:
    struct Shown {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };

    QQueue<Answer> answers;
    QQueue<QString> fileNames;
    QList<Shown> shown;
    QStringList fileFilters;
    // Runs while a message is "on screen", before it is answered.
    std::function<void(const Shown &)> onMessage;

    Answer message(QWidget *, const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        shown.append({text, title, icon, buttons});
        if (onMessage)
            onMessage(shown.last());
        if (!answers.isEmpty())
            return answers.dequeue();
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    QString openFileName(QWidget *, const QString &filter, const QString &) override
    {
        fileFilters << filter;
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    QString saveFileName(QWidget *, const QString &filter, const QString &) override
    {
        fileFilters << filter;
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }

    QStringList texts() const
    {
        QStringList t;
        for (const Shown &s : shown)
            t << s.text;
        return t;
    }
};
