#include "HeronFamily.h"

#include "core/FamilyB.h"
#include "core/FunctionBlocks.h"
#include "editor/StandardParts.h"

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
        f.models = std::make_shared<HeronModels>();
        f.lists = StandardLists(QStringLiteral("OFF"));
        f.optionByte = [](const core::EditorState &s) { return core::familyB::OptionByte(s); };
        f.voiceByte = core::VoiceByte;
        f.buildImage = core::familyB::BuildImage;
        f.decodeImage = core::familyB::DecodeImage;
        f.print = FamilyPrint::page(HeronPrintPage());
        f.window.toolbar = StandardToolbar();
        return f;
    }();
    return family;
}
