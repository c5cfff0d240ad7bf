#include "OspreyFamily.h"
#include "OspreySettingsPage.h"

#include "core/FamilyB.h"
#include "core/FamilyC.h"
#include "heron/HeronFamily.h"

const GridDescription &OspreyGrid()
{
    static const GridDescription grid = [] {
        GridDescription g = HeronGrid();
        g.toneItems = core::familyC::ToneItems();
        // Only the number column has an alignment of its own.
        for (int c = 1; c < g.columns.size(); ++c)
            g.columns[c].alignment = {};
        g.presetListEditors = false;
        g.listTypingReachesCell = false;
        g.listEnterChecks = false;
        g.defaultsOverwrite = true;
        g.rebuildClears = false;
        return g;
    }();
    return grid;
}

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
        Family f = HeronFamily();
        f.title = QStringLiteral("Osprey");
        f.caption = QStringLiteral("Kestrel serials programming software");
        f.models.clear();
        for (FunctionListInfo &list : f.lists)
            if (list.objectName == QLatin1String("cboFuncTOT"))
                list.items[0] = QStringLiteral("Off");
        f.grid = OspreyGrid();
        for (const core::familyC::Model &m : core::familyC::Models())
            f.modelTable << FixedModel{m.item, m.code, m.bandSlot};
        f.modelCode = [](const QString &, int position) {
            const auto &models = core::familyC::Models();
            return position >= 0 && position < models.size() ? models.at(position).code : core::Byte(0xFF);
        };
        f.buildImage = core::familyC::BuildImage;
        f.decodeImage = core::familyC::DecodeImage;

        f.modelChangeEmptiesGrid = true;
        f.bandTextsRead = 6;
        f.bandEditor = OspreyBandEditor();
        f.bandEditorWritesSettings = true;
        f.proportionalLayout = false;
        using Command = ToolButton::Command;
        f.toolbar = {
            {QStringLiteral("Open"), Command::Open, QStringLiteral("打开")},
            {QStringLiteral("Save"), Command::Save, QStringLiteral("另存")},
            {QStringLiteral("Print"), Command::Print, QStringLiteral("打印")},
            {QStringLiteral("Read"), Command::Read, QStringLiteral("读频")},
            {QStringLiteral("Write"), Command::Write, QStringLiteral("写频")},
        };
        f.toolbarMatch = Qt::CaseSensitive;
        f.statusBar = true;
        f.helpFile = QStringLiteral("Osprey Help.chm");
        f.saveErrorTitle = QStringLiteral("Error");
        f.print.scriptPage = WriteOspreySettingsPage;
        f.singlePrintItem = true;
        // Osprey's box keeps fixed texts and shows no version.
        f.about = {QStringLiteral("About MyApp"), QStringLiteral("QZ_311A/_311B VHF/UHF PC Program Software"),
                   AboutTexts::describe(QStringLiteral("Osprey program software is a tool for programming QZ serials "
                                                       "of QZ_311A and QZ_311B and so on.")),
                   QString()};
        return f;
    }();
    return family;
}
