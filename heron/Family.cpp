#include "Family.h"

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
        f.buildImage = core::familyB::BuildImage;
        f.decodeImage = core::familyB::DecodeImage;
        return f;
    }();
    return family;
}
