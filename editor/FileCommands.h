#pragma once

#include "core/ChpFile.h"
#include "core/EditorState.h"
#include "core/MemoryImage.h"

#include <QString>
#include <functional>

class QWidget;
class UserDialogs;

// File > Open and Save as: the chp file a user picks, read into the window or
// written from it by the family's codec. The last file picked is where the
// next file dialog starts.
class FileCommands {
public:
    using Decode = std::function<core::Result<core::EditorState>(const core::ChpLines &, const core::EditorState &)>;
    using Encode = std::function<core::Result<core::MemoryImage>(const core::EditorState &, core::Target)>;

    // What the commands need of the window.
    struct Window {
        QWidget *parent = nullptr;
        std::function<bool()> commitOpenEditor;           // false: the open cell was refused, nothing is saved
        std::function<core::EditorState()> state;         // what the window shows
        std::function<void(const core::EditorState &)> show;
    };

    FileCommands(UserDialogs &dialogs, Decode decode, Encode encode, QString saveErrorTitle, Window window);

    void open();
    void saveAs();
    // A file that does not exist leaves the window as it is; one that cannot be read is said so.
    void load(const QString &path);
    void save(const QString &path);

    const QString &lastFileName() const { return m_lastFileName; }

private:
    UserDialogs &m_dialogs;
    Decode m_decode;
    Encode m_encode;
    QString m_saveErrorTitle;
    Window m_window;
    QString m_lastFileName;
};
