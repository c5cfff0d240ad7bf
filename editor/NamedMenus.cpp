#include "NamedMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace menus {

QMenu *add(QMenuBar *bar, const QString &name, const QString &caption)
{
    QMenu *m = bar->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

QAction *item(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &key)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}

QAction *separator(QMenu *menu, const QString &name)
{
    QAction *a = menu->addSeparator();
    a->setObjectName(name);
    return a;
}

} // namespace menus
