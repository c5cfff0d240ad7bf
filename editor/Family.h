#pragma once

#include "GridColumns.h"
#include "ModelScheme.h"
#include "common/frmAbout.h"
#include "common/frmMODE.h"
#include "core/ChpFile.h"
#include "core/EditorState.h"
#include "core/MemoryImage.h"
#include "core/Result.h"
#include "print/engine/DataPage.h"

#include <QStringList>
#include <functional>
#include <memory>

// What one radio family brings to the shared editing window: its models,
// its setting lists, its channel grid, the rules of its setting bytes and
// the codec of its memory image. Adding a family is a new description.

// What a setting list holds; the window finds its lists by it.
enum class ListRole { Moni, BatterySave, TimeOut, Squelch, Scan, Voice, Sound, Scrambler, Priority };

// The list position of a role in the window's state.
int &ListValue(core::FunctionLists &lists, ListRole role);
int ListValue(const core::FunctionLists &lists, ListRole role);

struct FunctionListInfo {
    ListRole role;
    QString objectName;
    QString label;
    QStringList items;
    QString labelName = {};           // empty: "lbl" and the list's name without its prefix
    QStringList enabledInGroups = {}; // the model groups that enable it; empty: always enabled
};

namespace print {
class ScriptWriter;
}

// What a script page gets from the window: the text of a list or label by
// its object name, and the channel grid as it shows (rows x columns).
struct ScriptPageSource {
    std::function<QString(const QString &objectName)> text;
    print::PrintGrid grid;
};

using ScriptPageWriter = std::function<void(print::ScriptWriter &script, const ScriptPageSource &source)>;

// How a family prints its data-setting page. A data page: File holds
// PrintPreview and Print, and the page builder draws dataPage. A script
// page: File holds one item, "Print(&P)" (mnuPreview), that writes the page
// as a print script and shows the script preview. Print writes the script
// page wherever one is given.
struct FamilyPrint {
    enum class Kind { DataPage, ScriptPage };
    Kind kind = Kind::DataPage;
    print::DataPageLayout dataPage;
    ScriptPageWriter scriptPage;

    static FamilyPrint page(const print::DataPageLayout &layout) { return {Kind::DataPage, layout, {}}; }
    static FamilyPrint script(ScriptPageWriter writer) { return {Kind::ScriptPage, {}, std::move(writer)}; }
    bool singlePrintItem() const { return kind == Kind::ScriptPage; }
};

// A toolbar button; its text is what the toolbar handler compares.
struct ToolButton {
    enum class Command { New, Open, Save, Print, Read, Write };
    QString text;
    Command command;
    QString toolTip;
};

// What the window shows and does around the settings and the grid.
struct WindowExtras {
    QString caption; // the window's caption; empty: the title
    QList<ToolButton> toolbar;
    Qt::CaseSensitivity toolbarMatch = Qt::CaseInsensitive;
    // A status bar showing the caption, the date and the time.
    bool statusBar = false;
    // The help file beside the program that F1 and Help > Content open; empty: none.
    QString helpFile;
    // The About box's texts; an empty caption: AboutTexts::forProgram(title, version).
    AboutTexts about;
    QString saveErrorTitle = QStringLiteral("\u9519\u8BEF"); // "错误"
    // Every resize rescales the controls in proportion to the window.
    bool proportionalLayout = true;
    int bandTextsRead = 2; // "PL1", "PL2", ... read from the settings file at start
    BandEditorLists bandEditor;
    // The band editor lists only the two variants of the current model.
    bool bandEditorForCurrentModel = false;
    // "Save and Exit" in the band editor also writes the band to the settings file.
    bool bandEditorWritesSettings = false;
};

struct Family {
    QString title;
    QString version; // "1.0.0.1"
    std::shared_ptr<const ModelScheme> models;
    QList<FunctionListInfo> lists; // in the order the window lays them out
    core::FunctionLists defaults;
    std::function<core::Result<core::Byte>(const core::EditorState &)> optionByte;
    std::function<core::Byte(int voiceIndex)> voiceByte;
    std::function<core::Result<core::MemoryImage>(const core::EditorState &, core::Target)> buildImage;
    std::function<core::Result<core::EditorState>(const core::ChpLines &, const core::EditorState &)> decodeImage;
    FamilyPrint print;
    WindowExtras window;
};
