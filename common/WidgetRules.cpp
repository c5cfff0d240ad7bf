#include "WidgetRules.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFontMetrics>
#include <QStringListModel>

void KeepTypedText(QComboBox *combo)
{
    combo->setInsertPolicy(QComboBox::NoInsert);
    // A completer with nothing to offer: no inline completion, and its case
    // sensitivity makes the list match typed text only exactly.
    auto *completer = new QCompleter(new QStringListModel(combo), combo);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    combo->setCompleter(completer);
}

int TitleBarWidth(const QString &title)
{
    // The title bar's font is the window manager's; the application font is
    // the closest guess. Room for the icon and the three buttons besides.
    constexpr int kDecoration = 150;
    const QFont font = QApplication::font("QMdiSubWindowTitleBar");
    return QFontMetrics(font).horizontalAdvance(title) + kDecoration;
}
