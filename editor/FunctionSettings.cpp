#include "FunctionSettings.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>

FunctionSettings::FunctionSettings(const Family &family, QGroupBox *frame, WindowHooks hooks)
    : m_family(family), m_frame(frame), m_hooks(std::move(hooks))
{
    const int xs[3] = {10, 310, 640};
    for (int i = 0; i < m_family.lists.size(); ++i) {
        const FunctionListInfo &info = m_family.lists.at(i);
        const int x = xs[i % 3];
        const int y = 58 + 34 * (i / 3);
        m_labels << makeLabel(frame, info.labelName.isEmpty() ? QStringLiteral("lbl") + info.objectName.mid(3) : info.labelName,
                              info.label, x, y, 110);
        QComboBox *c = makeCombo(frame, info.objectName, x + 116, y);
        c->addItems(info.items);
        m_lists << c;
        connect(c, &QComboBox::activated, this, [this, role = info.role] { listChosen(role); });
    }
    // A setting list changes only when the user has clicked or tabbed into it;
    // the wheel passing over it on its way to the grid changes nothing.
    for (QComboBox *c : frame->findChildren<QComboBox *>()) {
        c->setFocusPolicy(Qt::StrongFocus);
        c->installEventFilter(this);
    }
    frame->setGeometry(10, 4, 960, 128 + 34 * extraRows());
}

QLabel *FunctionSettings::makeLabel(QWidget *frame, const QString &name, const QString &text, int x, int y, int w)
{
    auto *l = new QLabel(text, frame);
    l->setObjectName(name);
    l->setGeometry(x, y, w, 24);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QComboBox *FunctionSettings::makeCombo(QWidget *frame, const QString &name, int x, int y)
{
    auto *c = new QComboBox(frame);
    c->setObjectName(name);
    c->setGeometry(x, y, 150, 24);
    return c;
}

int FunctionSettings::extraRows() const { return qMax(0, int((m_family.lists.size() + 2) / 3) - 2); }

bool FunctionSettings::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::Wheel) {
        auto *c = qobject_cast<QComboBox *>(watched);
        if (c && c->parentWidget() == m_frame && !c->hasFocus())
            return true;
    }
    return QObject::eventFilter(watched, e);
}

QComboBox *FunctionSettings::list(ListRole role) const
{
    for (int i = 0; i < m_lists.size(); ++i)
        if (m_family.lists.at(i).role == role)
            return m_lists.at(i);
    return nullptr;
}

core::FunctionLists FunctionSettings::positions() const
{
    core::FunctionLists lists;
    for (int i = 0; i < m_lists.size(); ++i)
        ListValue(lists, m_family.lists.at(i).role) = m_lists.at(i)->currentIndex();
    return lists;
}

void FunctionSettings::setIndex(int i, int index)
{
    {
        const QSignalBlocker block(m_lists.at(i));
        m_lists.at(i)->setCurrentIndex(index);
    }
    listChosen(m_family.lists.at(i).role);
}

void FunctionSettings::setDefaults()
{
    for (int i = 0; i < m_lists.size(); ++i)
        setIndex(i, ListValue(m_family.defaults, m_family.lists.at(i).role));
}

void FunctionSettings::apply(const core::FunctionLists &lists, const std::function<void()> &beforeTimeOut)
{
    const ListRole order[] = {ListRole::Moni, ListRole::BatterySave, ListRole::TimeOut, ListRole::Squelch,
                              ListRole::Voice, ListRole::Scan, ListRole::Sound, ListRole::Scrambler, ListRole::Priority};
    for (const ListRole role : order) {
        if (role == ListRole::TimeOut)
            beforeTimeOut();
        if (QComboBox *box = list(role))
            setIndex(int(m_lists.indexOf(box)), ListValue(lists, role));
    }
}

// What a choice in a list recomputes, by what the list holds.
void FunctionSettings::listChosen(ListRole role)
{
    switch (role) {
    case ListRole::Moni:
    case ListRole::BatterySave:
    case ListRole::Sound:
    case ListRole::Scrambler: rebuildOptionByte(); break;
    case ListRole::Voice: rebuildVoiceByte(); break;
    case ListRole::TimeOut:
    case ListRole::Squelch:
    case ListRole::Scan:
    case ListRole::Priority: break;
    }
}

void FunctionSettings::enableGroupLists(const QString &group)
{
    for (int i = 0; i < m_lists.size(); ++i) {
        const QStringList &groups = m_family.lists.at(i).enabledInGroups;
        if (groups.isEmpty())
            continue;
        m_lists.at(i)->setEnabled(groups.contains(group));
        m_labels.at(i)->setEnabled(groups.contains(group));
    }
}

void FunctionSettings::rebuildOptionByte()
{
    const int m = list(ListRole::Moni)->currentIndex();
    const int s = list(ListRole::BatterySave)->currentIndex();
    if (m < 0 || s < 0)
        return;
    core::EditorState state;
    state.lists = positions();
    state.band = m_hooks.band();
    state.group = m_hooks.group();
    if (const auto byte = m_family.optionByte(state))
        m_optionByte = QString::number(*byte);
}

void FunctionSettings::rebuildVoiceByte()
{
    m_voiceByte = QString::number(m_family.voiceByte(list(ListRole::Voice)->currentIndex()));
}
