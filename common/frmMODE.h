#pragma once

#include "core/EditorState.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class UserDialogs;

// What differs between the programs' band editors: the two model lists and
// which band text each position of the frequency page's list edits.
struct BandEditorLists {
    QStringList frequencyPage = heronFrequencyPage();
    QStringList powerPage = heronPowerPage();
    // List position -> index into core::BandTexts::byPosition; a position
    // without an entry edits nothing.
    QList<int> bandSlots = {0, 1, 2, 3, 4};

    static QStringList heronFrequencyPage();
    static QStringList heronPowerPage();
};

// "Test  Mode": edits the band texts and the options that the main window
// owns. Construct it anew for every showing; it saves into texts and options
// whenever it closes, by "Save and Exit", the close box or Esc.
class frmMODE : public QDialog {
    Q_OBJECT
public:
    frmMODE(UserDialogs &dialogs, core::BandTexts &texts, core::BandOptions &options, int modelVariant,
            const QString &bandLabel, const BandEditorLists &lists = BandEditorLists(), QWidget *parent = nullptr);

    // Replaces both model lists and selects their first entries, filling the
    // limit boxes again (the Pelican editor lists just the current model's variants).
    void setModelLists(const QStringList &frequencyPage, const QStringList &powerPage);
    // Both lists become model jx's "(U)" and "(V)" variants, "(U)" selected.
    void InitPCmodal(const QString &jx);

    // Runs after a band text was saved by "Save and Exit" (not by other closes),
    // with its byPosition index; a program that keeps bands in a file writes it here.
    std::function<void(int slot, const QString &bandText)> onSaveAndExit;

    // Both limits must be three-digit whole numbers, low not above high,
    // because every reader takes the limits from fixed character positions.
    // Returns why not, or an empty text.
    static QString bandLimitsProblem(const QString &low, const QString &high);
    static QString bandText(const QString &low, const QString &high);

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildModeTree();
    void ShowFrequencyPage(bool freqPage);
    void tremode_Click(QTreeWidgetItem *item);
    void cboPCmodel_Click(int index);
    void checkNumber(QLineEdit *box);
    void saveSteps(bool saveAndExit);

    UserDialogs &m_dialogs;
    core::BandTexts &m_texts;
    core::BandOptions &m_options;
    QList<int> m_bandSlots;
    bool m_closing = false;

    QTreeWidget *tremode;
    QLabel *lblRadiomodel;
    QComboBox *cboPCmodel0;
    QComboBox *cboPCmodel1;
    QWidget *m_frequencyPage;
    QWidget *m_powerPage;
    QLabel *Label1;
    QLineEdit *Text1;
    QLabel *Label2;
    QLineEdit *Text2;
    QLabel *Label3;
    QRadioButton *Option1_0;
    QRadioButton *Option1_1;
    QGroupBox *Frame1;
    QLabel *Label4;
    QRadioButton *optJT0;
    QRadioButton *optJT1;
    QLabel *Label5;
    QLabel *freQuent;
    QLabel *Label6;
    QComboBox *cboFrequent;
};
