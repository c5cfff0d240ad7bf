#pragma once

#include "ModelScheme.h"
#include "core/EditorState.h"

#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QComboBox;
class QMenu;
class QWidget;
class UserDialogs;

// The window's current model: File > New, the model dialog, the model box's
// items and the group the model brings, after the family's model scheme.
class ModelSelection : public QObject {
    Q_OBJECT
public:
    // What a model change asks of the window.
    struct WindowHooks {
        std::function<void()> modelBoxChanged;         // the model box's handler, after a new position
        std::function<void(int channels)> setupGrid;   // lays the grid out anew
    };

    ModelSelection(const ModelScheme &scheme, UserDialogs &dialogs, QComboBox *modelBox, QWidget *window,
                   WindowHooks hooks);

    const ModelScheme &scheme() const { return m_scheme; }

    // File > New in file; nothing for a family that never asks for a model.
    void buildNewMenu(QMenu *file);
    // The model at start, and the model box filled for it.
    void start();
    // The model dialog; closed without OK the window keeps its model and channels.
    void choose();
    // File > New's item at index.
    void typeChosen(int index);
    // Fills File > New from list on its first call; later calls move the check mark.
    void buildMenu(const QString &list, const QString &current);
    // The model box becomes the model's two variants, the first chosen.
    void fillVariants(const QString &model);

    // The model code and band slot of the model box's position.
    std::optional<ModelSlot> currentSlot() const;
    // The grid of the current group; null for a family without groups.
    const GridDescription *groupGrid();
    // The model, its position and group, into a state and back.
    void fillState(core::EditorState &state) const;
    void applyState(const core::EditorState &state);

    QString model() const { return m_model; }            // the current model's name
    int channelCount() const { return m_channels; }
    QString dialogAnswer() const { return m_answer; }   // the model dialog's last answer
    QString menuList() const { return m_menuList; }      // each name followed by ";", then ";"
    QString group() const { return m_group; }             // "0", "1"; empty: no groups

private:
    void addItem(int i, const QString &caption);
    void selectPosition(int position);

    const ModelScheme &m_scheme;
    UserDialogs &m_dialogs;
    QComboBox *m_box;
    QWidget *m_window;
    WindowHooks m_hooks;
    QMenu *m_newMenu = nullptr;
    QList<QAction *> m_items;
    bool m_menuBuilt = false;

    QString m_model;
    int m_channels = 16;
    QString m_answer;
    QString m_menuList;
    QString m_group;
};
