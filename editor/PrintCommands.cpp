#include "PrintCommands.h"
#include "ChannelGrid.h"

#include "common/UserDialogs.h"
#include "print/Printers.h"
#include "print/mdlMODEL.h"

#include <QFileInfo>

PrintCommands::PrintCommands(const FamilyPrint &print, QString programTitle, UserDialogs &dialogs,
                             print::Printers *printers, QString scriptPath, Window window)
    : m_print(print), m_programTitle(std::move(programTitle)), m_dialogs(dialogs), m_printers(printers),
      m_scriptPath(std::move(scriptPath)), m_window(std::move(window))
{
}

// The preview draws with the printers, so it goes before them.
PrintCommands::~PrintCommands() { delete m_pagePreview.data(); }

print::Printers &PrintCommands::printers()
{
    if (m_printers)
        return *m_printers;
    if (!m_systemPrinters)
        m_systemPrinters = std::make_unique<print::SystemPrinters>();
    return *m_systemPrinters;
}

print::mdlMODEL &PrintCommands::script()
{
    if (!m_script)
        m_script = std::make_unique<print::mdlMODEL>(m_scriptPath, m_dialogs, printers(), m_window.parent);
    return *m_script;
}

QString PrintCommands::jobTitle() const
{
    const QString file = QFileInfo(m_window.fileName()).fileName();
    return file.isEmpty() ? m_programTitle : m_programTitle + QStringLiteral(" - ") + file;
}

// The settings' texts in the page's order, and the grid one row and one
// column larger than it is, the extra ones empty.
print::DataPageData PrintCommands::handOver() const
{
    const print::DataPageLayout &page = m_print.dataPage;
    const ChannelGrid &grid = *m_window.grid;
    print::DataPageData data;
    for (const print::PageSetting &s : page.settings)
        data.texts << m_window.text(s.source);
    const int rows = grid.rows();
    const int cols = grid.cols();
    data.grid = print::PrintGrid(rows + 1, cols + 1);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QString text = grid.cellText(r, c);
            data.grid.setCell(r, c, text.isEmpty() && page.emptyCellsAsOff ? QStringLiteral("OFF") : text);
        }
    }
    return data;
}

ScriptPageSource PrintCommands::scriptPageSource() const
{
    const ChannelGrid &grid = *m_window.grid;
    ScriptPageSource source;
    source.text = m_window.text;
    source.grid = print::PrintGrid(grid.rows(), grid.cols());
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c)
            source.grid.setCell(r, c, grid.cellText(r, c));
    return source;
}

// The script is written afresh and the preview opens on its finished page.
void PrintCommands::printScriptPage()
{
    m_window.stopEditorTimer();
    print::mdlMODEL &page = script();
    page.setJobTitle(jobTitle());
    if (page.ClearScriptFile())
        m_print.scriptPage(page, scriptPageSource());
    if (!page.status()) {
        m_dialogs.message(m_window.parent, page.status().error(), QStringLiteral("Error"), UserDialogs::Icon::Critical);
        return;
    }
    page.ResetPageList();
}

void PrintCommands::print()
{
    if (!m_window.grid->commitOpenEditor())
        return;
    if (m_print.scriptPage) {
        printScriptPage();
        return;
    }
    print::DataPageData data = handOver();
    m_window.stopEditorTimer();
    print::frmPreview *page = m_pagePreview;
    if (!page)
        page = new print::frmPreview(m_print.dataPage, printers(), m_dialogs, m_window.parent);
    page->data = std::move(data);
    page->jobTitle = jobTitle();
    page->blnPrint = true;
    page->PrintF();
    m_pagePreview = nullptr; // closed by printing, the next preview opens anew
}

void PrintCommands::printPreview()
{
    if (!m_window.grid->commitOpenEditor())
        return;
    print::DataPageData data = handOver();
    m_window.stopEditorTimer();
    if (!m_pagePreview)
        m_pagePreview = new print::frmPreview(m_print.dataPage, printers(), m_dialogs, m_window.parent);
    m_pagePreview->data = std::move(data);
    m_pagePreview->blnPrint = false;
    m_pagePreview->Preview();
    m_pagePreview->show();
    m_pagePreview->raise();
    m_pagePreview->activateWindow();
}

void PrintCommands::preview()
{
    if (!m_window.grid->commitOpenEditor())
        return;
    if (m_print.scriptPage)
        printScriptPage();
}
