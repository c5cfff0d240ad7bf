#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

// Menus, items and separators carry their names as object names, so that
// tests and accessibility tools find them.
namespace menus {
QMenu *add(QMenuBar *bar, const QString &name, const QString &caption);
QAction *item(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &key = {});
QAction *separator(QMenu *menu, const QString &name);
} // namespace menus
