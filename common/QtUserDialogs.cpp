#include "QtUserDialogs.h"

#include "WidgetRules.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>

UserDialogs::Answer QtUserDialogs::message(QWidget *parent, const QString &text, const QString &title, Icon icon,
                                           Buttons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(title.isEmpty() ? m_title : title);
    box.setText(text);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    // A short text would make the box too narrow for its own title. Added
    // last: setting the icon or the buttons lays the box out anew.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(TitleBarWidth(box.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::Ok ? Answer::Ok : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
    }
}

QString QtUserDialogs::openFileName(QWidget *parent, const QString &filter, const QString &startPath)
{
    return QFileDialog::getOpenFileName(parent, QString(), startPath, filter);
}

QString QtUserDialogs::saveFileName(QWidget *parent, const QString &filter, const QString &startPath)
{
    QFileDialog dialog(parent, QString(), startPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an ending gets the first filter's ("chp").
    const QString first = filter.section(QStringLiteral(";;"), 0, 0);
    const int star = first.indexOf(QStringLiteral("*."));
    if (star >= 0)
        dialog.setDefaultSuffix(first.mid(star + 2).section(QLatin1Char(')'), 0, 0));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
