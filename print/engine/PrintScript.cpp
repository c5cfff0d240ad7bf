#include "PrintScript.h"

#include "common/UserDialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cmath>

namespace print {

QString FormatNumber(float value)
{
    QString text = QString::number(double(value), 'G', 7);
    const QString point = QLocale::system().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

double ReadNumber(const QString &line)
{
    const QString s = QString(line).replace(QLatin1Char(','), QLatin1Char('.'));
    int i = 0;
    const int n = int(s.size());
    while (i < n && (s[i] == QLatin1Char(' ') || s[i] == QLatin1Char('\t')))
        ++i;
    const int start = i;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128)
        ++i, ++digits;
    if (i < n && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128)
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    int end = i;
    if (i < n && (s[i] == QLatin1Char('E') || s[i] == QLatin1Char('e'))) {
        int j = i + 1;
        if (j < n && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            ++j;
        const int expStart = j;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128)
            ++j;
        if (j > expStart)
            end = j;
    }
    const double value = s.mid(start, end - start).toDouble();
    return std::isfinite(value) ? value : 0;
}

// ---- writers ----

ScriptWriter::ScriptWriter(QString path, UserDialogs &dialogs, QWidget *parent)
    : m_path(std::move(path)), m_dialogs(dialogs), m_parent(parent)
{
}

core::Status ScriptWriter::AppendScriptLine(const QString &line)
{
    if (!m_status)
        return m_status;
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)
        || file.write(line.toUtf8() + "\r\n") < 0 || !file.flush()) {
        m_status = core::failed(QStringLiteral("The print script \"%1\" cannot be written: %2")
                                    .arg(QFileInfo(m_path).fileName(), file.errorString()));
    }
    return m_status;
}

core::Status ScriptWriter::ClearScriptFile()
{
    m_status = core::success();
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        m_status = core::failed(QStringLiteral("The print script \"%1\" cannot be written: %2")
                                    .arg(QFileInfo(m_path).fileName(), file.errorString()));
    return m_status;
}

core::Status ScriptWriter::DeleteScriptFile()
{
    QFile file(m_path);
    if (file.exists() && !file.remove())
        return core::failed(QStringLiteral("The print script \"%1\" cannot be deleted: %2")
                                .arg(QFileInfo(m_path).fileName(), file.errorString()));
    return core::success();
}

void ScriptWriter::appendLines(const QStringList &lines)
{
    for (const QString &l : lines)
        if (!AppendScriptLine(l))
            return;
}

void ScriptWriter::StartPage(const QString &leftText, const QString &rightText)
{
    AppendScriptLine(QStringLiteral("#startpage"));
    DrawBox(2.0f, 0.9f, 18.0f, 0.91f);
    PrintInLeft(2.0f, 0.55f, leftText, QStringLiteral("Arial"), 8, 0);
    PrintInRight(18.0f, 0.55f, rightText, QStringLiteral("Arial"), 8, 0);
}

void ScriptWriter::printText(const QString &command, const QString &x, float y, const QString &text,
                             const QString &fontName, int fontSize, int fontBold)
{
    appendLines({QStringLiteral("#fontname"), fontName, QStringLiteral("#fontsize"), QString::number(fontSize),
                 QStringLiteral("#fontbold"), QString::number(fontBold), QStringLiteral("#y"),
                 FormatNumber(y * float(kTwipsPerCm)), QStringLiteral("#x"), x, command, text});
}

void ScriptWriter::PrintInLeft(float x, float y, const QString &text, const QString &fontName, int fontSize, int fontBold)
{
    printText(QStringLiteral("#txt_l"), FormatNumber(x * float(kTwipsPerCm)), y, text, fontName, fontSize, fontBold);
}

void ScriptWriter::PrintInRight(float x, float y, const QString &text, const QString &fontName, int fontSize, int fontBold)
{
    printText(QStringLiteral("#txt_r"), FormatNumber(x * float(kTwipsPerCm)), y, text, fontName, fontSize, fontBold);
}

void ScriptWriter::PrintInCen(float x, float y, const QString &text, const QString &fontName, int fontSize, int fontBold)
{
    const PrintFont font{fontName, double(fontSize), fontBold != 0};
    const float halfWidth = std::floor(float(TextWidthTwips(text, font)) / 2);
    const float left = x * float(kTwipsPerCm) - halfWidth;
    if (left < 0) {
        m_dialogs.message(m_parent, QStringLiteral("Error in coords!!!!"), QStringLiteral("PrintInCen"),
                          UserDialogs::Icon::Critical);
        return;
    }
    printText(QStringLiteral("#txt_c"), FormatNumber(left), y, text, fontName, fontSize, fontBold);
}

void ScriptWriter::DrawBox(float x1, float y1, float x2, float y2)
{
    const float t = float(kTwipsPerCm);
    appendLines({QStringLiteral("#fill"), QStringLiteral("1"), QStringLiteral("#color"), QStringLiteral("0"),
                 QStringLiteral("#line"), FormatNumber(x1 * t), FormatNumber(y1 * t), FormatNumber(x2 * t),
                 FormatNumber(y2 * t), QString(), QStringLiteral("B")});
}

// ---- readers ----

namespace {

struct CommandName {
    const char *name;
    ScriptCommand::Kind kind;
    int arguments;
};

constexpr CommandName kCommands[] = {
    {"#startpage", ScriptCommand::StartPage, 0}, {"#endpage", ScriptCommand::EndPage, 0},
    {"#fontname", ScriptCommand::FontName, 1},   {"#fontsize", ScriptCommand::FontSize, 1},
    {"#fontbold", ScriptCommand::FontBold, 1},   {"#x", ScriptCommand::X, 1},
    {"#y", ScriptCommand::Y, 1},                 {"#txt_l", ScriptCommand::TextLeft, 1},
    {"#txt_c", ScriptCommand::TextCentre, 1},    {"#txt_r", ScriptCommand::TextRight, 1},
    {"#fill", ScriptCommand::Fill, 1},           {"#color", ScriptCommand::Color, 1},
    {"#line", ScriptCommand::Line, 6},
};

} // namespace

Script ParseScript(const QByteArray &bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);

    Script script;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (!line.startsWith(QLatin1Char('#')))
            continue;
        const CommandName *found = nullptr;
        for (const CommandName &c : kCommands)
            if (line == QLatin1String(c.name))
                found = &c;
        if (!found)
            continue;
        if (i + found->arguments >= lines.size())
            break; // cut off by the end of the file
        const QStringList args = lines.mid(i + 1, found->arguments);
        i += found->arguments;
        ScriptCommand cmd{found->kind, {}, 0, {}, {}, {}};
        switch (found->kind) {
        case ScriptCommand::FontName:
        case ScriptCommand::FontBold:
        case ScriptCommand::TextLeft:
        case ScriptCommand::TextCentre:
        case ScriptCommand::TextRight:
            cmd.text = args.at(0);
            break;
        case ScriptCommand::FontSize:
        case ScriptCommand::X:
        case ScriptCommand::Y:
        case ScriptCommand::Fill:
        case ScriptCommand::Color:
            cmd.number = ReadNumber(args.at(0));
            break;
        case ScriptCommand::Line:
            cmd.line = QRectF(QPointF(ReadNumber(args.at(0)), ReadNumber(args.at(1))),
                              QPointF(ReadNumber(args.at(2)), ReadNumber(args.at(3))));
            cmd.lineColor = args.at(4);
            cmd.lineFlag = args.at(5);
            break;
        case ScriptCommand::StartPage:
        case ScriptCommand::EndPage:
            break;
        }
        script.append(cmd);
    }
    return script;
}

core::Result<Script> ReadScript(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return core::fail<Script>(QStringLiteral("The print script \"%1\" cannot be read: %2")
                                      .arg(QFileInfo(path).fileName(), file.errorString()));
    return ParseScript(file.readAll());
}

int PageCount(const Script &script)
{
    return int(std::count_if(script.begin(), script.end(),
                             [](const ScriptCommand &c) { return c.kind == ScriptCommand::StartPage; }));
}

// ---- interpreters ----

namespace {

// The drawing state of one run: position, font and box filling.
class Painter {
public:
    Painter(PaintTarget &target, double fontRatio) : m_target(target), m_ratio(fontRatio) {}

    void apply(const ScriptCommand &c)
    {
        switch (c.kind) {
        case ScriptCommand::X: m_pos.setX(c.number); break;
        case ScriptCommand::Y: m_pos.setY(c.number); break;
        case ScriptCommand::FontName: m_font.name = c.text; break;
        case ScriptCommand::FontSize:
            if (c.number > 0)
                m_font.size = c.number * m_ratio;
            break;
        case ScriptCommand::FontBold: m_font.bold = c.text.trimmed() != QLatin1String("0"); break;
        case ScriptCommand::Fill: m_fill.style = int(std::lround(std::clamp(c.number, -1e9, 1e9))); break;
        case ScriptCommand::Color: m_fill.color = ColorFromNumber(std::llround(std::clamp(c.number, -1e15, 1e15))); break;
        case ScriptCommand::TextLeft:
        case ScriptCommand::TextCentre: text(c.text); break;
        case ScriptCommand::TextRight:
            m_pos.rx() -= m_target.textWidth(c.text, m_font);
            text(c.text);
            break;
        case ScriptCommand::Line: line(c); break;
        case ScriptCommand::StartPage:
        case ScriptCommand::EndPage: break;
        }
    }

private:
    // After a text the position is at the start of the next line.
    void text(const QString &t)
    {
        m_target.drawText(m_pos, t, m_font);
        m_pos = QPointF(m_target.scale().left(), m_pos.y() + m_target.textHeight(m_font));
    }

    void line(const ScriptCommand &c)
    {
        const QPointF from = c.line.topLeft();
        const QPointF to = c.line.bottomRight();
        if (!c.lineColor.isEmpty())
            m_target.drawLine(from, to, ColorFromNumber(std::llround(std::clamp(ReadNumber(c.lineColor), -1e15, 1e15))));
        else if (c.lineFlag.isEmpty())
            m_target.drawLine(from, to, Qt::black);
        else
            m_target.drawBox(QRectF(from, to), Qt::black, m_fill);
        m_pos = to;
    }

    PaintTarget &m_target;
    double m_ratio;
    QPointF m_pos;
    PrintFont m_font;
    BoxFill m_fill;
};

} // namespace

void RenderScriptPage(const Script &script, int wantedPage, PaintTarget &target, double fontRatio)
{
    Painter painter(target, fontRatio);
    int page = 0;
    for (const ScriptCommand &c : script) {
        if (c.kind == ScriptCommand::StartPage) {
            ++page;
            continue;
        }
        if (page != wantedPage)
            continue;
        if (c.kind == ScriptCommand::EndPage)
            break;
        painter.apply(c);
    }
}

int PrintScriptPages(const Script &script, int firstPage, int lastPage, PaintTarget &target)
{
    Painter painter(target, 1.0);
    int page = 0;
    int sheets = 0;
    bool printing = false;
    bool sheetEnded = false; // by an end-of-page command; the next drawing needs a new sheet
    const auto nextSheet = [&] {
        sheetEnded = false;
        ++sheets;
        return sheets == 1 || target.newPage();
    };
    for (const ScriptCommand &c : script) {
        if (c.kind == ScriptCommand::StartPage) {
            ++page;
            if (page > lastPage)
                break;
            printing = page >= firstPage;
            // Pages without an end-of-page command still get sheets of their own.
            if (printing && !nextSheet())
                break;
            continue;
        }
        if (c.kind == ScriptCommand::EndPage) {
            if (page >= lastPage)
                break;
            sheetEnded = printing;
            continue;
        }
        if (!printing)
            continue;
        if (sheetEnded && !nextSheet())
            break;
        painter.apply(c);
    }
    return sheets;
}

} // namespace print
