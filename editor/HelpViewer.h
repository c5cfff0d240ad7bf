#pragma once

#include <QString>

class QWidget;
class UserDialogs;

// Shows the program's help file in a viewer of its own. The viewer is
// started detached: it outlives the program, and the program neither waits
// for it nor hears how it ended, so ending the program never touches it.
// Only a missing file or a viewer that cannot be started is said.
class HelpViewer {
public:
    explicit HelpViewer(QString program) : m_program(std::move(program)) {}

    void show(const QString &path, UserDialogs &dialogs, QWidget *parent) const;

    // The help file beside the program, else in its installed data folder; a
    // missing file is named as beside the program. Empty: no help file.
    static QString filePath(const QString &programDir, const QString &helpFile);

private:
    QString m_program;
};
