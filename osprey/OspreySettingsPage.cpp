#include "OspreySettingsPage.h"

#include "print/engine/PrintScript.h"

namespace {

constexpr int kBold = -1;
const QString kArial = QStringLiteral("Arial");
const QString kSongti = QStringLiteral("\u5B8B\u4F53"); // "宋体"

struct SettingLine {
    float x, y;
    const char *label; // followed by the full-width colon
    const char *source;
};

// The settings in pairs, left column centred at 5 cm, right at 13 cm.
const SettingLine kSettings[] = {
    {5, 3, "Model Type", "cboPCmodel"},          {13, 3, "Radio Band", "Label2"},
    {5, 3.5, "Moni", "cboFuncMoni"},             {13, 3.5, "Battery Save", "cbosd"},
    {5, 4, "Time Out timer(TOT)", "cboFuncTOT"}, {13, 4, "Squelch Level", "cboFuncSQL"},
    {5, 4.5, "Scan", "cboFuncSave"},             {13, 4.5, "Voice", "cboYYBP"},
};

} // namespace

float OspreyColumnX(int column)
{
    static const float x[] = {5, 6, 9, 12, 14.5f, 17, 18, 19};
    return column >= 0 && column < int(std::size(x)) ? x[column] : 20;
}

void WriteOspreySettingsPage(print::ScriptWriter &script, const ScriptPageSource &source)
{
    script.StartPage(QStringLiteral("Print Preview"), QStringLiteral("Page 1"));
    script.PrintInCen(9, 1.5f, QStringLiteral("The Page of Data-setting"), kArial, 16, kBold);
    script.PrintInCen(7, 2.5f, QStringLiteral("\u4E00\u3001The Part of Function Setting"), kArial, 12, kBold);
    for (const SettingLine &line : kSettings)
        script.PrintInCen(line.x, line.y,
                          QLatin1String(line.label) + QChar(0xFF1A) + source.text(QLatin1String(line.source)), kArial,
                          12, kBold);
    script.PrintInCen(7, 6.5f, QStringLiteral("\u4E8C\u3001The Part of Channel Information"), kArial, 12, kBold);
    for (int r = 0; r < source.grid.rows(); ++r)
        for (int c = 0; c < source.grid.cols(); ++c)
            script.PrintInLeft(OspreyColumnX(c), 7 + 0.5f * float(r), source.grid.cell(r, c), kSongti, 12, kBold);
}
