#include "ModelSelection.h"

#include "common/frmJXXZ.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

ModelSelection::ModelSelection(const ModelScheme &scheme, UserDialogs &dialogs, QComboBox *modelBox, QWidget *window,
                               WindowHooks hooks)
    : QObject(window), m_scheme(scheme), m_dialogs(dialogs), m_box(modelBox), m_window(window),
      m_hooks(std::move(hooks))
{
    m_box->addItems(m_scheme.fixedItems());
}

void ModelSelection::buildNewMenu(QMenu *file)
{
    if (!m_scheme.asksForModel())
        return;
    m_newMenu = file->addMenu(QStringLiteral("New(&N)"));
    m_newMenu->setObjectName(QStringLiteral("mnuNew"));
    m_newMenu->menuAction()->setObjectName(QStringLiteral("mnuNew"));
    const QStringList items = m_scheme.newMenuItems();
    for (int i = 0; i < items.size(); ++i)
        addItem(i, items.at(i));
    if (!m_items.isEmpty())
        m_items.first()->setChecked(true);
}

void ModelSelection::addItem(int i, const QString &caption)
{
    QAction *a = m_newMenu->addAction(caption);
    a->setObjectName(QStringLiteral("mnuType%1").arg(i));
    a->setCheckable(true);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + i)));
    connect(a, &QAction::triggered, this, [this, i] { typeChosen(i); });
    m_items << a;
}

void ModelSelection::buildMenu(const QString &list, const QString &current)
{
    if (!m_menuBuilt) {
        // The list ends with two separators: the last name is part u - 2.
        const QStringList parts = list.isEmpty() ? QStringList() : list.split(QLatin1Char(';'));
        for (int i = 0; i <= int(parts.size()) - 3; ++i) {
            if (i >= m_items.size())
                addItem(i, parts.at(i));
            m_items.at(i)->setText(parts.at(i));
        }
        m_menuBuilt = true;
    }
    for (QAction *a : std::as_const(m_items))
        a->setChecked(a->text() == current);
}

void ModelSelection::start()
{
    m_group = m_scheme.startGroup();
    if (!m_scheme.fixedItems().isEmpty())
        return;
    m_model = m_scheme.startsWithoutModel() ? m_answer : m_scheme.models().value(0);
    fillVariants(m_model);
}

void ModelSelection::selectPosition(int position)
{
    {
        const QSignalBlocker block(m_box);
        m_box->setCurrentIndex(position);
    }
    m_hooks.modelBoxChanged();
}

void ModelSelection::fillVariants(const QString &model)
{
    {
        const QSignalBlocker block(m_box);
        m_box->clear();
        m_box->addItems({model + QStringLiteral("(U)"), model + QStringLiteral("(V)")});
    }
    selectPosition(0);
    m_hooks.setupGrid(m_channels);
}

void ModelSelection::choose()
{
    frmJXXZ dialog(m_dialogs, m_scheme.models(), m_answer, m_window);
    dialog.strMenuItem = m_menuList;
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_menuList = dialog.strMenuItem;
    if (dialog.itemChosen()) {
        m_channels = 16;
        const QString group = m_scheme.groupOf(dialog.chosenPosition());
        if (!group.isEmpty())
            m_group = group;
    }
    if (m_scheme.menuFromDialog()) {
        m_model = m_answer;
        buildMenu(m_menuList, m_answer);
    }
    fillVariants(m_answer);
}

void ModelSelection::typeChosen(int index)
{
    m_channels = 16;
    const QString group = m_scheme.groupOf(index);
    if (!group.isEmpty())
        m_group = group;
    for (int i = 0; i < m_items.size(); ++i)
        m_items.at(i)->setChecked(i == index);
    m_model = m_items.value(index) ? m_items.at(index)->text() : QString();
    fillVariants(m_model);
    m_hooks.setupGrid(m_channels);
}

std::optional<ModelSlot> ModelSelection::currentSlot() const
{
    QString model = m_box->currentText();
    if (m_scheme.fixedItems().isEmpty())
        model.chop(3);
    return m_scheme.slot(model, m_box->currentIndex());
}

const GridDescription *ModelSelection::groupGrid()
{
    if (!m_scheme.hasGroups())
        return nullptr;
    if (m_group.isEmpty())
        m_group = m_scheme.startGroup();
    return &m_scheme.grid(m_group);
}

void ModelSelection::fillState(core::EditorState &s) const
{
    QString model = m_box->currentText();
    model.chop(3);
    // With a fixed model list the position alone names the model.
    s.model = m_scheme.fixedItems().isEmpty() ? model : QString();
    s.variant = m_box->currentIndex();
    s.group = m_group;
}

void ModelSelection::applyState(const core::EditorState &s)
{
    if (m_scheme.fixedItems().isEmpty()) {
        m_channels = 16;
        if (m_scheme.hasGroups() && !s.group.isEmpty())
            m_group = s.group;
        m_hooks.setupGrid(16);
        fillVariants(s.model);
        selectPosition(s.variant);
    } else if (s.variant != m_box->currentIndex()) {
        selectPosition(s.variant); // another model empties the grid, as a user's choice does
    }
}
