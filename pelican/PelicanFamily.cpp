#include "PelicanFamily.h"

#include "core/FamilyA.h"
#include "core/FunctionBlocks.h"
#include "editor/StandardParts.h"

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
        QStringList channels;
        for (int i = 1; i <= 16; ++i)
            channels << QString::number(i);
        Family f;
        f.title = QStringLiteral("Pelican");
        f.version = QStringLiteral("1.0.0.2");
        f.models = std::make_shared<PelicanModels>();
        f.lists = StandardLists(QStringLiteral("OFF"));
        f.lists << FunctionListInfo{ListRole::Sound, QStringLiteral("cboTSY"), QStringLiteral("Sound:"),
                                    {"Enable", "Disable"}, QStringLiteral("Label8"), {}}
                << FunctionListInfo{ListRole::Scrambler, QStringLiteral("cboRPGN"), QStringLiteral("Scrambler:"),
                                    {"Enable", "Disable"}, QStringLiteral("Label7"), groupOne}
                << FunctionListInfo{ListRole::Priority, QStringLiteral("cboYXXD"), QStringLiteral("Priority Channel:"),
                                    channels, QStringLiteral("Label9"), groupOne};
        f.defaults.timeOut = 1;
        f.defaults.sound = 0;
        f.defaults.scrambler = 1;
        f.defaults.priority = 0;
        f.optionByte = core::familyA::OptionByte;
        f.voiceByte = core::VoiceByte;
        f.buildImage = core::familyA::BuildImage;
        f.decodeImage = core::familyA::DecodeImage;
        f.print = FamilyPrint::page(PelicanPrintPage());
        f.window.toolbar = StandardToolbar();
        f.window.bandEditorForCurrentModel = true;
        return f;
    }();
    return family;
}
