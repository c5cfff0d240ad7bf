#pragma once

#include "Family.h"

#include "print/frmPreview.h"

#include <QPointer>
#include <functional>
#include <memory>

class ChannelGrid;
class QWidget;
class UserDialogs;
namespace print {
class Printers;
class mdlMODEL;
}

// File > Print and PrintPreview (a data page), or File > Print as a print
// script (a script page): the window's settings and channels put on paper.
class PrintCommands {
public:
    // What the commands need of the window.
    struct Window {
        QWidget *parent = nullptr;                                  // owns the previews
        ChannelGrid *grid = nullptr;
        std::function<QString(const QString &objectName)> text;    // a list's or label's text
        std::function<QString()> fileName;                          // the file shown; empty: none
        std::function<void()> stopEditorTimer;
    };

    // printers null: the system's printers.
    PrintCommands(const FamilyPrint &print, QString programTitle, UserDialogs &dialogs, print::Printers *printers,
                  QString scriptPath, Window window);
    ~PrintCommands();

    // The editor timer stays off until the window is next activated.
    void print();
    // An open preview is drawn again with the new data.
    void printPreview();
    // The script page's one print item.
    void preview();

    // What the page builder gets, and the windows it opens.
    print::DataPageData handOver() const;
    ScriptPageSource scriptPageSource() const;
    print::frmPreview *pagePreview() const { return m_pagePreview; }
    print::mdlMODEL &script();
    // A print job's name in the queue: the program's, and the file's when there is one.
    QString jobTitle() const;

private:
    print::Printers &printers();
    void printScriptPage();

    const FamilyPrint &m_print;
    QString m_programTitle;
    UserDialogs &m_dialogs;
    print::Printers *m_printers;
    QString m_scriptPath;
    Window m_window;
    std::unique_ptr<print::Printers> m_systemPrinters;
    std::unique_ptr<print::mdlMODEL> m_script;
    QPointer<print::frmPreview> m_pagePreview;
};
