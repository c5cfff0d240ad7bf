#include "BandSettings.h"

#include "common/UserDialogs.h"
#include "common/frmLogin.h"
#include "common/frmMODE.h"
#include "core/mdlFunction.h"

namespace {
const QString kSettingsSection = QStringLiteral("Frequent");
}

BandSettings::BandSettings(const WindowExtras &extras, UserDialogs &dialogs, QString settingsFolder, QWidget *parent)
    : m_extras(extras), m_dialogs(dialogs), m_settingsFolder(std::move(settingsFolder)), m_parent(parent)
{
    const QString ini = core::SettingsPath(m_settingsFolder);
    for (int slot = 0; slot < m_extras.bandTextsRead; ++slot)
        if (QString *text = m_texts.byPosition(slot))
            *text = core::ReadIniString(kSettingsSection, key(slot), ini);
}

QString BandSettings::key(int slot) { return QStringLiteral("PL%1").arg(slot + 1); }

QString BandSettings::select(int slot)
{
    m_shown = slot;
    const QString *text = m_texts.byPosition(slot);
    return text ? *text : QString();
}

void BandSettings::testMode(int modelVariant, const QString &bandLabel, const QString &model)
{
    frmLogin login(m_dialogs, m_parent);
    login.exec();
    if (!login.LoginSucceeded)
        return;
    frmMODE editor(m_dialogs, m_texts, m_options, modelVariant, bandLabel, m_extras.bandEditor, m_parent);
    if (m_extras.bandEditorForCurrentModel)
        editor.InitPCmodal(model);
    if (m_extras.bandEditorWritesSettings)
        editor.onSaveAndExit = [this, &editor](int slot, const QString &text) { save(&editor, slot, text); };
    editor.exec();
}

// One key per save; a file that cannot be written is said so, naming it.
void BandSettings::save(QWidget *parent, int slot, const QString &text)
{
    const core::Status saved =
        core::WriteIniString(kSettingsSection, key(slot), text, core::SettingsPath(m_settingsFolder));
    if (!saved)
        m_dialogs.message(parent, QStringLiteral("The band was not saved in the settings file.\n") + saved.error(),
                          QStringLiteral("Test  Mode"), UserDialogs::Icon::Warning);
}
