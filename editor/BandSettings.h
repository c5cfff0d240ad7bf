#pragma once

#include "Family.h"
#include "core/EditorState.h"

class QWidget;
class UserDialogs;

// The band texts PL1..pl6 and the band editor's options (crystal, IF polarity,
// power step), and Edit > Test Mode, which edits them behind a password.
class BandSettings {
public:
    // Reads the family's band texts from the settings file in settingsFolder.
    BandSettings(const WindowExtras &extras, UserDialogs &dialogs, QString settingsFolder, QWidget *parent);

    // The settings key of a band slot: "PL1", "PL2", ...
    static QString key(int slot);

    const core::BandTexts &texts() const { return m_texts; }
    void setTexts(const core::BandTexts &texts) { m_texts = texts; }
    const core::BandOptions &options() const { return m_options; }
    void setOptions(const core::BandOptions &options) { m_options = options; }
    // The band shown becomes slot's; its text, empty for a slot beyond the texts.
    QString select(int slot);
    // The settings key of the band shown.
    QString shownKey() const { return key(m_shown); }

    // The password, then the band editor for the model box's position and band.
    void testMode(int modelVariant, const QString &bandLabel, const QString &model);

private:
    void save(QWidget *parent, int slot, const QString &text);

    const WindowExtras &m_extras;
    UserDialogs &m_dialogs;
    QString m_settingsFolder;
    QWidget *m_parent;
    core::BandTexts m_texts;
    core::BandOptions m_options;
    int m_shown = 0;
};
