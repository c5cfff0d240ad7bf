#include "HeronFamily.h"

#include "core/FamilyB.h"
#include "core/ToneLists.h"

const GridDescription &HeronGrid()
{
    static const GridDescription grid = [] {
        const Qt::Alignment centerTop = Qt::AlignHCenter | Qt::AlignTop;
        const Qt::Alignment leftCenter = Qt::AlignLeft | Qt::AlignVCenter;
        GridDescription g;
        g.toneItems = core::QtDqtList();
        g.columns = {
            {"No.", 1, 9, centerTop, CellEditor::None, {}, RowDefault::none()},
            {"RX Frequency", 1, 7, leftCenter, CellEditor::RxFrequency, {}, RowDefault::none()},
            {"TX Frequency", 1, 7, leftCenter, CellEditor::TxFrequency, {}, RowDefault::rxText()},
            {"QT/DQT Dec", 1, 7, centerTop, CellEditor::ToneList, {}, RowDefault::firstTone()},
            {"QT/DQT Enc", 1, 7, centerTop, CellEditor::ToneList, {}, RowDefault::firstTone()},
            {"Busy ", 1, 10, centerTop, CellEditor::ItemList, {"Yes", "No"}, RowDefault::fixed("No")},
            {"W/N", 1, 10, centerTop, CellEditor::ItemList, {"W", "N"}, RowDefault::fixed("W")},
            {"TX Power", 1, 10, centerTop, CellEditor::ItemList, {"High", "Middle", "Low"}, RowDefault::fixed("High")},
        };
        return g;
    }();
    return grid;
}


// The data-setting page: settings in two columns, the table's columns at
// fixed places.
const print::DataPageLayout &HeronPrintPage()
{
    static const print::DataPageLayout page = [] {
        print::DataPageLayout p;
        p.settings = {
            {"strPCmodel", "cboPCmodel", QStringLiteral("Model Type："), {1.5, 3}},
            {"strLable2", "Label2", QStringLiteral("Radio Band："), {5, 3}},
            {"strFuncM", "cboFuncMoni", QStringLiteral("Moni："), {1.5, 3.7}},
            {"strSd", "cbosd", QStringLiteral("Battery Save："), {5, 3.7}},
            {"strFuncT", "cboFuncTOT", QStringLiteral("Time Out timer："), {1.5, 4.4}},
            {"strFuncS", "cboFuncSQL", QStringLiteral("Squelch Level："), {5, 4.4}},
            {"strFuncSa", "cboFuncSave", QStringLiteral("Scan："), {1.5, 5.1}},
            {"strYybp", "cboYYBP", QStringLiteral("Voice："), {5, 5.1}},
        };
        p.columnX = [](int c, double) {
            static const double first[] = {1, 1.6, 2.9};
            return c < 3 ? first[c] : 2.9 + 1.2 * (c - 2);
        };
        return p;
    }();
    return page;
}

const Family &HeronFamily()
{
    static const Family family = [] {
        Family f;
        f.title = QStringLiteral("Heron");
        f.version = QStringLiteral("1.0.0.1");
        f.models = core::familyB::Models();
        f.lists = {
            {QStringLiteral("cboFuncMoni"), QStringLiteral("Moni:"), {"Enable", "Disable"}},
            {QStringLiteral("cbosd"), QStringLiteral("Battery Save:"), {"Yes", "No"}},
            {QStringLiteral("cboFuncTOT"), QStringLiteral("Time Out timer:"),
             {"OFF", "30s", "60s", "90s", "120s", "150s", "180s", "210s", "240s", "270s", "300s"}},
            {QStringLiteral("cboFuncSQL"), QStringLiteral("Squelch Level:"), {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
            {QStringLiteral("cboFuncSave"), QStringLiteral("Scan:"), {"Enable", "Disable"}},
            {QStringLiteral("cboYYBP"), QStringLiteral("Voice:"), {"Off", "Chinese", "English"}},
        };
        f.grid = HeronGrid();
        f.modelCode = core::familyB::ModelCode;
        f.optionByte = [](const core::EditorState &s) { return core::familyB::OptionByte(s); };
        f.voiceByte = core::familyB::VoiceByte;
        f.buildImage = core::familyB::BuildImage;
        f.decodeImage = core::familyB::DecodeImage;
        f.print.dataPage = HeronPrintPage();
        return f;
    }();
    return family;
}
