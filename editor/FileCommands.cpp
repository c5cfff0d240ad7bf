#include "FileCommands.h"

#include "common/UserDialogs.h"

#include <QApplication>
#include <QFileInfo>

namespace {
const QString kChpFilter = QStringLiteral("chp(*.chp);;All Files(*.*)");
}

FileCommands::FileCommands(UserDialogs &dialogs, Decode decode, Encode encode, QString saveErrorTitle, Window window)
    : m_dialogs(dialogs), m_decode(std::move(decode)), m_encode(std::move(encode)),
      m_saveErrorTitle(std::move(saveErrorTitle)), m_window(std::move(window))
{
}

void FileCommands::load(const QString &path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!QFileInfo::exists(path)) {
        QApplication::restoreOverrideCursor();
        return;
    }
    const auto lines = core::chp::Read(path);
    const auto state = lines ? m_decode(*lines, m_window.state()) : core::fail<core::EditorState>(lines.error());
    QApplication::restoreOverrideCursor();
    if (!state) {
        m_dialogs.message(m_window.parent, state.error(), QStringLiteral("Error"), UserDialogs::Icon::Information);
        return;
    }
    m_window.show(*state);
}

void FileCommands::save(const QString &path)
{
    if (!m_window.commitOpenEditor())
        return;
    const auto image = m_encode(m_window.state(), core::Target::File);
    const core::Status saved = image ? core::chp::Save(path, *image) : core::failed(image.error());
    if (!saved) {
        m_dialogs.message(m_window.parent, saved.error(), m_saveErrorTitle, UserDialogs::Icon::Critical);
        return;
    }
    m_dialogs.message(m_window.parent, QStringLiteral("Successfully Saved"));
}

void FileCommands::open()
{
    const QString path = m_dialogs.openFileName(m_window.parent, kChpFilter, m_lastFileName);
    if (path.isEmpty())
        return;
    m_lastFileName = path;
    load(path);
}

void FileCommands::saveAs()
{
    if (!m_window.commitOpenEditor())
        return;
    const QString path = m_dialogs.saveFileName(m_window.parent, kChpFilter, m_lastFileName);
    if (path.isEmpty())
        return;
    m_lastFileName = path;
    save(path);
}
