#include "mdlMODEL.h"
#include "PrnPrv.h"

namespace print {

mdlMODEL::mdlMODEL(QString scriptPath, UserDialogs &dialogs, Printers &printers, QWidget *owner)
    : ScriptWriter(std::move(scriptPath), dialogs, owner), m_dialogs(dialogs), m_printers(printers), m_owner(owner)
{
}

mdlMODEL::~mdlMODEL() { delete m_preview.data(); }

core::Status mdlMODEL::ClearScriptFile()
{
    if (m_preview) {
        m_preview->close();
        delete m_preview.data();
    }
    return ScriptWriter::ClearScriptFile();
}

void mdlMODEL::ResetPageList()
{
    if (!m_preview)
        m_preview = new PrnPrv(path(), m_printers, m_dialogs, m_owner);
    m_preview->setJobTitle(m_jobTitle);
    m_preview->ResetPageList();
    m_preview->show();
    m_preview->raise();
    m_preview->activateWindow();
    m_preview->MostraPagina();
}

} // namespace print
