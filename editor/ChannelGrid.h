#pragma once

#include "GridColumns.h"
#include "GridTable.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class UserDialogs;

// The "Channel Information" frame: the channel grid gridXDSZ and its in-cell
// editors. The cells are the channel list itself; editors copy into them as
// the user types, and a cell is checked when it is left.
class ChannelGrid : public QWidget {
    Q_OBJECT
public:
    // bandLabel gives the caption of the window's band label ("400MHz---470MHz").
    ChannelGrid(UserDialogs &dialogs, std::function<QString()> bandLabel, QWidget *parent,
                const GridDescription &description);

    // The settings key that holds the current band ("PL1"), named when no band is set.
    void setBandKey(std::function<QString()> bandKey) { m_bandKey = std::move(bandKey); }

    // Another family's table; the columns change at the next SetupChannelGrid.
    void setDescription(const GridDescription &description);
    const GridDescription &description() const { return m_desc; }

    // Titles, n numbered channel rows, widths and alignments; with
    // rebuildClears every cell is emptied first.
    void SetupChannelGrid(int n);
    // Widths for the grid's present width; every cell keeps its text.
    void layoutColumns();

    // Any cell: row 0 holds the titles, column 0 the channel numbers.
    QString cellText(int row, int col) const { return m_grid->TextMatrix(row, col); }
    void setCellText(int row, int col, const QString &text) { m_grid->setTextMatrix(row, col, text); }
    int rows() const { return m_grid->Rows(); }
    int cols() const { return m_grid->Cols(); }

    // One list per channel row, holding the texts of columns 1..cols()-1.
    QList<QStringList> channelTexts() const;
    // Fills rows 1.. and columns 1.. from the lists; cells beyond them keep their text.
    void setChannelTexts(const QList<QStringList> &channels);

    void hideEditors();
    // The open editor's text goes through the check of leaving its cell and
    // the editor closes; false when the check refused the text (and said so).
    // Without an open editor there is nothing to check.
    bool commitOpenEditor();
    // The editor timer's tick: hides the editors once the focus has left the
    // frame while this window is the active one.
    void Timer_Timer();

    // What a left click does: leave-cell for the old cell, then the editor.
    void clickCell(int row, int col);
    void gridXDSZ_Click();
    // False when a frequency was refused.
    bool gridXDSZ_LeaveCell();

    GridTable *grid() const { return m_grid; }
    QGroupBox *frame() const { return m_frame; }

    QSize sizeHint() const override;

private:
    void frequencyChanged(QLineEdit *editor, CellEditor kind);
    void frequencyEnter(QLineEdit *editor, CellEditor kind);
    void listChanged(QComboBox *combo, bool typed);
    void listEnter(QComboBox *combo);
    void putListText(const QString &text);
    void tabFromEditor(bool forward);
    bool eventFilter(QObject *watched, QEvent *event) override;

    void openFrequencyEditor(QLineEdit *editor, const QString &text);
    void openListEditor(QComboBox *combo);
    void placeOpenEditor();
    void closeEditor(QWidget *editor);
    bool isEditing(const QWidget *editor) const;
    QRect currentCellInFrame() const;
    void rejectFrequency(int row, int col, const QString &message);
    void applyRowDefaults(int row, int rxColumn, const QString &rx);
    QWidget *editorFor(CellEditor kind) const;
    CellEditor kindOf(int col) const;
    bool inFrame(const QWidget *w) const;

    UserDialogs &m_dialogs;
    std::function<QString()> m_bandLabel;
    std::function<QString()> m_bandKey;
    GridDescription m_desc;
    QGroupBox *m_frame = nullptr;
    GridTable *m_grid = nullptr;
    QLineEdit *m_txtTxFreq = nullptr;  // column "RX Frequency"
    QLineEdit *m_txtRecFreq = nullptr; // column "TX Frequency"
    QComboBox *m_cmbTone = nullptr;    // cmbCKTX2
    QComboBox *m_cmbItems = nullptr;   // cmbCKTX1
    bool m_filling = false;            // refilling a list: its changes are not the user's
    // The editor placed by the last click and its cell. It may be hidden for
    // a while when its cell is scrolled out of sight.
    QWidget *m_open = nullptr;
    int m_openRow = 0;
    int m_openCol = -1;
    QComboBox *m_enterPressedIn = nullptr; // an Enter whose release belongs to this list
};
