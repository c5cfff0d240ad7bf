#pragma once

#include "GridColumns.h"
#include "common/frmAbout.h"
#include "common/frmMODE.h"
#include "core/ChpFile.h"
#include "core/EditorState.h"
#include "core/MemoryImage.h"
#include "core/Result.h"
#include "print/engine/DataPage.h"

#include <QMap>
#include <QStringList>
#include <functional>

// What one radio family brings to the shared editing window: its models,
// its setting lists, its channel grid, the rules of its setting bytes and
// the codec of its memory image. Adding a family is a new description.
struct FunctionListInfo {
    QString objectName;
    QString label;
    QStringList items;
    QString labelName = {};      // empty: "lbl" and the list's name without its prefix
    QStringList enabledInGroups = {}; // the model groups that enable it; empty: always enabled
    bool entersOptionByte = false; // a choice recomputes the option byte
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

// How a family prints its data-setting page: either the page builder draws
// the page from its layout (Print and PrintPreview), or, where scriptPage is
// set, Print writes the page as a print script and shows the script preview.
struct FamilyPrint {
    print::DataPageLayout dataPage;
    std::function<void(print::ScriptWriter &script, const ScriptPageSource &source)> scriptPage;
};

// One position of a fixed model list: its item, its model code and the band
// text it uses (an index into core::BandTexts::byPosition).
struct FixedModel {
    QString item;
    core::Byte code;
    int bandSlot;
};

// A toolbar button; its text is what the toolbar handler compares.
struct ToolButton {
    enum class Command { New, Open, Save, Print, Read, Write };
    QString text;
    Command command;
    QString toolTip;
};

struct Family {
    QString title;
    QString version; // "1.0.0.1"
    QStringList models; // File > New captions and the model dialog's list
    // Moni, Battery Save, Time Out timer, Squelch Level, Scan, Voice; then
    // Sound, Scrambler, Priority Channel where the family has them.
    QList<FunctionListInfo> lists;
    core::FunctionLists defaults;
    GridDescription grid;
    // Families whose models fall into groups: each model position's group and
    // each group's grid. The window then always holds a group ("0" at start).
    QStringList modelGroups;
    QMap<QString, GridDescription> groupGrids;
    // File > New holds the first model until the model dialog's list fills it,
    // and the dialog's answer becomes the current model.
    bool modelMenuFromDialog = false;
    // The window opens on the model dialog's answer, empty before it is asked.
    bool startsWithoutModel = false;
    // The band editor lists only the two variants of the current model.
    bool bandEditorForCurrentModel = false;
    std::function<core::Byte(const QString &model, int variant)> modelCode;
    std::function<core::Result<core::Byte>(const core::EditorState &)> optionByte;
    std::function<core::Byte(int voiceIndex)> voiceByte;
    std::function<core::Result<core::MemoryImage>(const core::EditorState &, core::Target)> buildImage;
    std::function<core::Result<core::EditorState>(const core::ChpLines &, const core::EditorState &)> decodeImage;
    FamilyPrint print;

    // ---- Window policies; the defaults are Heron's. ----
    QString caption; // the window's caption; empty: the title
    // A fixed model list in place of the File > New models and the model dialog.
    QList<FixedModel> modelTable;
    // Choosing a model empties the grid even when it holds channels.
    bool modelChangeEmptiesGrid = false;
    int bandTextsRead = 2; // "PL1", "PL2", ... read from the settings file at start
    BandEditorLists bandEditor;
    // "Save and Exit" in the band editor also writes the band to the settings file.
    bool bandEditorWritesSettings = false;
    // Every resize rescales the controls in proportion to the window.
    bool proportionalLayout = true;
    QList<ToolButton> toolbar{
        {QStringLiteral("New"), ToolButton::Command::New, {}},   {QStringLiteral("Open"), ToolButton::Command::Open, {}},
        {QStringLiteral("Save"), ToolButton::Command::Save, {}}, {QStringLiteral("Print"), ToolButton::Command::Print, {}},
        {QStringLiteral("Read"), ToolButton::Command::Read, {}}, {QStringLiteral("Write"), ToolButton::Command::Write, {}},
    };
    Qt::CaseSensitivity toolbarMatch = Qt::CaseInsensitive;
    // A status bar showing the caption, the date and the time.
    bool statusBar = false;
    // The help file beside the program that F1 and Help > Content open; empty: none.
    QString helpFile;
    QString saveErrorTitle = QStringLiteral("\u9519\u8BEF"); // "错误"
    // File holds one print item, "Print(&P)" (mnuPreview), for the script
    // page (print.scriptPage), in place of PrintPreview and Print.
    bool singlePrintItem = false;
    // The About box's texts; an empty caption: AboutTexts::forProgram(title, version).
    AboutTexts about;
};
