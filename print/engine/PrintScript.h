#pragma once

#include "PaintTarget.h"
#include "core/Result.h"

#include <QList>
#include <QString>

class QWidget;
class UserDialogs;

namespace print {

// The print script: a text file of drawing commands, one "#command" line
// followed by its argument lines, positions in twips of an A4 page.
inline constexpr double kTwipsPerCm = 567;
inline constexpr double kA4WidthTwips = 11907;
inline constexpr double kA4HeightTwips = 16839.9;
inline const QString kScriptFileName = QStringLiteral("_$$_TEMP.TMP");

// Twips in the general number format: up to seven significant digits, no
// grouping, the system's decimal separator.
QString FormatNumber(float value);
// The longest leading number of a line, "," read as "."; 0 when there is none.
double ReadNumber(const QString &line);

// Writes commands to the script file. Every line is appended on its own, so
// the file is complete after each call. The first write that fails is kept
// in status() and later writes do nothing.
class ScriptWriter {
public:
    // Refusals ("Error in coords!!!!") are shown through dialogs.
    ScriptWriter(QString path, UserDialogs &dialogs, QWidget *parent = nullptr);

    const QString &path() const { return m_path; }
    const core::Status &status() const { return m_status; }

    core::Status AppendScriptLine(const QString &line);
    // Empties the file, creating it when missing.
    core::Status ClearScriptFile();
    core::Status DeleteScriptFile();

    // Positions in centimetres.
    void StartPage(const QString &leftText, const QString &rightText);
    void PrintInLeft(float x, float y, const QString &text, const QString &fontName, int fontSize, int fontBold);
    void PrintInRight(float x, float y, const QString &text, const QString &fontName, int fontSize, int fontBold);
    // x is the centre of the text; refused when the text would start left of the page.
    void PrintInCen(float x, float y, const QString &text, const QString &fontName, int fontSize, int fontBold);
    void DrawBox(float x1, float y1, float x2, float y2);

private:
    void appendLines(const QStringList &lines);
    void printText(const QString &command, const QString &x, float y, const QString &text, const QString &fontName,
                   int fontSize, int fontBold);

    QString m_path;
    UserDialogs &m_dialogs;
    QWidget *m_parent;
    core::Status m_status = core::success();
};

struct ScriptCommand {
    enum Kind { StartPage, EndPage, FontName, FontSize, FontBold, X, Y, TextLeft, TextCentre, TextRight, Fill, Color, Line };
    Kind kind;
    QString text;         // the argument of texts, font name and bold
    double number = 0;    // the argument of numbers
    QRectF line;          // "#line": (x1, y1) as topLeft, (x2, y2) as bottomRight
    QString lineColor;    // "#line": empty or a colour number
    QString lineFlag;     // "#line": empty or "B"
};

using Script = QList<ScriptCommand>;

// Reads the commands of a script; unknown lines are skipped, and a command
// whose argument lines are cut off by the end of the file is dropped.
Script ParseScript(const QByteArray &bytes);
core::Result<Script> ReadScript(const QString &path);

// The number of pages ("#startpage" commands) of a script.
int PageCount(const Script &script);

// Draws one page of the script (pages count from 1; with 0 the commands
// before the first page) onto a target scaled in page twips. Font sizes are
// multiplied by fontRatio, so that a zoomed picture shows the page in size.
void RenderScriptPage(const Script &script, int wantedPage, PaintTarget &target, double fontRatio);

// Draws pages firstPage..lastPage onto a printer target, each on its own
// sheet. Returns the number of sheets drawn.
int PrintScriptPages(const Script &script, int firstPage, int lastPage, PaintTarget &target);

} // namespace print
