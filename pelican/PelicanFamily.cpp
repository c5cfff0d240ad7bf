#include "PelicanFamily.h"

#include "core/FamilyA.h"
#include "core/FamilyB.h"
#include "core/ToneLists.h"
#include "heron/HeronFamily.h"

namespace {

const QStringList kYesNo{"Yes", "No"};
const QStringList kPower{"High", "Middle", "Low"};

GridDescription GroupOneGrid()
{
    const Qt::Alignment centerTop = Qt::AlignHCenter | Qt::AlignTop;
    GridDescription g = HeronGrid();
    g.hideEditorsOnScroll = true;
    GridColumn &scanAdd = g.columns[7];
    scanAdd = {"Scan Add", 1, 10, centerTop, CellEditor::ItemList, kYesNo, RowDefault::fixed("Yes")};
    g.columns << GridColumn{"Compandor", 3, 25, centerTop, CellEditor::ItemList, kYesNo, RowDefault::fixed("No")};
    GridColumn scrambler{"Scrambler Code.", 5, 28, centerTop, CellEditor::ItemList,
                         {"OFF", "1", "2", "3", "4", "5", "6", "7", "8"}, RowDefault::fixed("OFF")};
    // The editor opens on the cell's own text, not on a list search.
    scrambler.presetWithCellText = true;
    g.columns << scrambler;
    g.columns << GridColumn{"TX Power", 1, 10, centerTop, CellEditor::ItemList, kPower, RowDefault::fixed("High")};
    return g;
}

} // namespace

const GridDescription &PelicanGrid(const QString &group)
{
    static const GridDescription groupZero = [] {
        GridDescription g = HeronGrid();
        g.hideEditorsOnScroll = true;
        return g;
    }();
    static const GridDescription groupOne = GroupOneGrid();
    return group == QLatin1String("1") ? groupOne : groupZero;
}

const print::DataPageLayout &PelicanPrintPage()
{
    static const print::DataPageLayout page = [] {
        print::DataPageLayout p;
        p.settings = {
            {"strPCmodel", "cboPCmodel", QStringLiteral("Model Type："), {1.5, 3}},
            {"strLable2", "Label2", QStringLiteral("Radio Band："), {4, 3}},
            {"strFuncM", "cboFuncMoni", QStringLiteral("Moni："), {1.5, 3.7}},
            {"strSd", "cbosd", QStringLiteral("Battery Save："), {4, 3.7}},
            {"strFuncT", "cboFuncTOT", QStringLiteral("Time Out timer："), {4, 4.4}},
            {"strFuncS", "cboFuncSQL", QStringLiteral("Squelch Level："), {7, 4.4}},
            {"strFuncSa", "cboFuncSave", QStringLiteral("Scan："), {1.5, 5.1}},
            {"strYybp", "cboYYBP", QStringLiteral("Voice："), {7, 5.1}},
            {"strRPGN", "cboRPGN", QStringLiteral("Interrupt："), {1.5, 4.4}},
            {"strTSY", "cboTSY", QStringLiteral("Sound："), {7, 3.7}},
            {"strYXXD", "cboYXXD", QStringLiteral("First："), {4, 5.1}},
        };
        // Fractions of the target's width; from column 7 on, equal steps.
        p.columnX = [](int c, double w) {
            static const double first[] = {1.0 / 10, 4.0 / 25, 7.0 / 25, 21.0 / 50, 13.0 / 25, 63.0 / 100, 67.0 / 100};
            return c < 7 ? w * first[c] : w * 67 / 100 + w * 23 * (c - 6) / 500;
        };
        p.emptyCellsAsOff = true;
        return p;
    }();
    return page;
}

const Family &PelicanFamily()
{
    static const Family family = [] {
        const QStringList groupOne{QStringLiteral("1")};
        Family f = HeronFamily();
        f.title = QStringLiteral("Pelican");
        f.version = QStringLiteral("1.0.0.2");
        f.models = core::familyA::Models();
        QStringList channels;
        for (int i = 1; i <= 16; ++i)
            channels << QString::number(i);
        f.lists << FunctionListInfo{QStringLiteral("cboTSY"), QStringLiteral("Sound:"), {"Enable", "Disable"},
                                    QStringLiteral("Label8"), {}, true}
                << FunctionListInfo{QStringLiteral("cboRPGN"), QStringLiteral("Scrambler:"), {"Enable", "Disable"},
                                    QStringLiteral("Label7"), groupOne, true}
                << FunctionListInfo{QStringLiteral("cboYXXD"), QStringLiteral("Priority Channel:"), channels,
                                    QStringLiteral("Label9"), groupOne, false};
        f.defaults.timeOut = 1;
        f.defaults.sound = 0;
        f.defaults.scrambler = 1;
        f.defaults.priority = 0;
        f.grid = PelicanGrid(QStringLiteral("0"));
        f.modelGroups = {"0", "0", "0", "1", "1", "1"};
        f.groupGrids = {{QStringLiteral("0"), PelicanGrid(QStringLiteral("0"))},
                        {QStringLiteral("1"), PelicanGrid(QStringLiteral("1"))}};
        f.modelMenuFromDialog = true;
        f.startsWithoutModel = true;
        f.bandEditorForCurrentModel = true;
        f.modelCode = core::familyA::ModelCode;
        f.optionByte = core::familyA::OptionByte;
        f.buildImage = core::familyA::BuildImage;
        f.decodeImage = core::familyA::DecodeImage;
        f.print.dataPage = PelicanPrintPage();
        return f;
    }();
    return family;
}
