#pragma once

#include "Family.h"
#include "core/EditorState.h"

#include <QList>
#include <QObject>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

// The function-setting lists in the window's frame, laid out after the
// family's lists, and the option and voice bytes derived from them.
class FunctionSettings : public QObject {
    Q_OBJECT
public:
    // What the option byte needs of the window.
    struct WindowHooks {
        std::function<core::BandOptions()> band; // the band options in effect
        std::function<QString()> group;          // the current model group
    };

    // Adds the lists below the frame's first row; a third row of lists makes the frame taller.
    FunctionSettings(const Family &family, QGroupBox *frame, WindowHooks hooks);

    // A label or a list as the frame lays them out.
    static QLabel *makeLabel(QWidget *frame, const QString &name, const QString &text, int x, int y, int w);
    static QComboBox *makeCombo(QWidget *frame, const QString &name, int x, int y);

    // The rows of lists beyond two.
    int extraRows() const;
    QComboBox *list(ListRole role) const;
    core::FunctionLists positions() const;
    // The family's start-up positions, each as if the user had chosen it.
    void setDefaults();
    // Loaded positions; the band options take effect (beforeTimeOut) from Time Out on,
    // after Moni and Battery Save have run.
    void apply(const core::FunctionLists &lists, const std::function<void()> &beforeTimeOut);
    // Lists tied to model groups follow the group.
    void enableGroupLists(const QString &group);

    void rebuildOptionByte();
    void rebuildVoiceByte();
    QString optionByte() const { return m_optionByte; }
    QString voiceByte() const { return m_voiceByte; }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    // Sets the list at position i as the user's choice: its handler runs once.
    void setIndex(int i, int index);
    void listChosen(ListRole role);

    const Family &m_family;
    QGroupBox *m_frame;
    WindowHooks m_hooks;
    QList<QComboBox *> m_lists;
    QList<QLabel *> m_labels;
    QString m_optionByte;
    QString m_voiceByte;
};
