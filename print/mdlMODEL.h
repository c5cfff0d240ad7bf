#pragma once

#include "PrnPrv.h"
#include "engine/PrintScript.h"

#include <QPointer>

class QWidget;
class UserDialogs;

namespace print {

class Printers;

// The print script of one program with its preview window. A page builder
// calls ClearScriptFile, StartPage, the text writers for the page and last
// ResetPageList, which shows the finished page 1 in the preview.
class mdlMODEL : public ScriptWriter {
public:
    mdlMODEL(QString scriptPath, UserDialogs &dialogs, Printers &printers, QWidget *owner);
    ~mdlMODEL();

    // Empties the script and closes an open preview.
    core::Status ClearScriptFile();
    // Opens the preview on page 1 of the script as it now is.
    void ResetPageList();

    PrnPrv *preview() const { return m_preview; }
    // The name its print jobs carry in the printer's queue.
    void setJobTitle(const QString &title) { m_jobTitle = title; }

private:
    UserDialogs &m_dialogs;
    Printers &m_printers;
    QWidget *m_owner;
    QPointer<PrnPrv> m_preview;
    QString m_jobTitle;
};

} // namespace print
