#include "OspreyFamily.h"
#include "OspreySettingsPage.h"

#include "core/FunctionBlocks.h"
#include "core/FamilyC.h"
#include "editor/StandardParts.h"

BandEditorLists OspreyBandEditor()
{
    BandEditorLists lists;
    lists.frequencyPage.clear();
    lists.bandSlots.clear();
    for (const core::familyC::Model &m : core::familyC::Models()) {
        lists.frequencyPage << m.item;
        lists.bandSlots << m.bandSlot;
    }
    lists.powerPage = lists.frequencyPage;
    return lists;
}

const Family &OspreyFamily()
{
    static const Family family = [] {
        Family f;
        f.title = QStringLiteral("Osprey");
        f.version = QStringLiteral("1.0.0.1");
        f.models = std::make_shared<OspreyModels>();
        f.lists = StandardLists(QStringLiteral("Off"));
        // The option and voice bytes follow family B's rules.
        f.optionByte = [](const core::EditorState &s) { return core::OptionByte(s); };
        f.voiceByte = core::VoiceByte;
        f.buildImage = core::familyC::BuildImage;
        f.decodeImage = core::familyC::DecodeImage;
        // One print item that writes the settings page as a print script; no data page.
        f.print = FamilyPrint::script(WriteOspreySettingsPage);

        WindowExtras &w = f.window;
        w.caption = QStringLiteral("Kestrel serials programming software");
        using Command = ToolButton::Command;
        w.toolbar = {
            {QStringLiteral("Open"), Command::Open, QStringLiteral("打开")},
            {QStringLiteral("Save"), Command::Save, QStringLiteral("另存")},
            {QStringLiteral("Print"), Command::Print, QStringLiteral("打印")},
            {QStringLiteral("Read"), Command::Read, QStringLiteral("读频")},
            {QStringLiteral("Write"), Command::Write, QStringLiteral("写频")},
        };
        w.toolbarMatch = Qt::CaseSensitive;
        w.statusBar = true;
        w.helpFile = QStringLiteral("Osprey Help.chm");
        // Osprey's box keeps fixed texts and shows no version.
        w.about = {QStringLiteral("About MyApp"), QStringLiteral("QZ_311A/_311B VHF/UHF PC Program Software"),
                   AboutTexts::describe(QStringLiteral("Osprey program software is a tool for programming QZ serials "
                                                       "of QZ_311A and QZ_311B and so on.")),
                   QString()};
        w.saveErrorTitle = QStringLiteral("Error");
        w.proportionalLayout = false;
        w.bandTextsRead = 6;
        w.bandEditor = OspreyBandEditor();
        w.bandEditorWritesSettings = true;
        return f;
    }();
    return family;
}
