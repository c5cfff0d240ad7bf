#include "FakeUserDialogs.h"
#include "RecordingTarget.h"
#include "TestSupport.h"
#include "print/engine/PrintScript.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using print::ScriptCommand;
using Drawn = RecordingTarget::Drawn;

namespace {

QStringList fileLines(const QString &path) { return testsupport::crlfFileLines(path); }

QByteArray script(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

RecordingTarget render(const QByteArray &bytes, int page = 1, double ratio = 1)
{
    RecordingTarget t;
    t.setScale(QRectF(0, 0, print::kA4WidthTwips, print::kA4HeightTwips));
    print::RenderScriptPage(print::ParseScript(bytes), page, t, ratio);
    return t;
}

} // namespace

class TstPrintScript : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    QString path() const { return m_dir.filePath(print::kScriptFileName); }

private slots:
    void init()
    {
        QFile::remove(path());
        m_dialogs = FakeUserDialogs();
    }

    void startPageWritesTheHeader()
    {
        print::ScriptWriter w(path(), m_dialogs);
        w.StartPage(QStringLiteral("Print Preview"), QStringLiteral("Page 1"));
        const QStringList expected{
            "#startpage", "#fill", "1", "#color", "0", "#line", "1134", "510.3", "10206", "515.97", "", "B",
            "#fontname", "Arial", "#fontsize", "8", "#fontbold", "0", "#y", "311.85", "#x", "1134", "#txt_l", "Print Preview",
            "#fontname", "Arial", "#fontsize", "8", "#fontbold", "0", "#y", "311.85", "#x", "10206", "#txt_r", "Page 1"};
        QCOMPARE(fileLines(path()), expected);
        QVERIFY(w.status().ok());
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    void numbersInTheGeneralFormat_data()
    {
        QTest::addColumn<float>("cm");
        QTest::addColumn<QString>("twips");
        QTest::newRow("whole") << 2.0f << "1134";
        QTest::newRow("fraction") << 0.55f << "311.85";
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("negative") << -1.5f << "-850.5";
        QTest::newRow("seven digits") << 17636.0f << "9999612";
        QTest::newRow("beyond seven digits") << 20000.0f << "1.134E+07";
    }
    void numbersInTheGeneralFormat()
    {
        QFETCH(float, cm);
        QFETCH(QString, twips);
        QCOMPARE(print::FormatNumber(cm * 567.0f), twips);
        QCOMPARE(float(print::ReadNumber(twips)), cm * 567.0f);
    }

    void centredTextLeftOfThePageIsRefused()
    {
        print::ScriptWriter w(path(), m_dialogs);
        w.AppendScriptLine(QStringLiteral("#startpage"));
        w.PrintInCen(0, 3, QStringLiteral("Model Type：A"), QStringLiteral("Arial"), 12, -1);
        QCOMPARE(fileLines(path()), QStringList{"#startpage"});
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("Error in coords!!!!"));
        QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("PrintInCen"));
        QCOMPARE(m_dialogs.shown[0].icon, UserDialogs::Icon::Critical);

        // The page goes on after a refusal.
        w.PrintInCen(9, 1.5, QStringLiteral("The Page of Data-setting"), QStringLiteral("Arial"), 16, -1);
        const QStringList lines = fileLines(path());
        QCOMPARE(lines.size(), 13);
        const double width = print::TextWidthTwips(QStringLiteral("The Page of Data-setting"), {"Arial", 16, true});
        QVERIFY(width > 1000);
        QCOMPARE(lines.at(10), print::FormatNumber(9 * 567.0f - std::floor(float(width) / 2)));
        QCOMPARE(lines.at(11), QStringLiteral("#txt_c"));
        QCOMPARE(lines.at(6), QStringLiteral("-1"));
    }

    void fileHandling()
    {
        print::ScriptWriter w(path(), m_dialogs);
        QVERIFY(w.DeleteScriptFile().ok()); // nothing to delete
        QVERIFY(w.ClearScriptFile().ok());
        QVERIFY(QFile::exists(path()));
        QCOMPARE(QFileInfo(path()).size(), 0);
        w.AppendScriptLine(QStringLiteral("#startpage"));
        QVERIFY(w.ClearScriptFile().ok());
        QCOMPARE(QFileInfo(path()).size(), 0);
        QVERIFY(w.DeleteScriptFile().ok());
        QVERIFY(!QFile::exists(path()));

        // A folder that is not there: the first failure is kept, and says which file.
        print::ScriptWriter broken(m_dir.filePath("missing/") + print::kScriptFileName, m_dialogs);
        broken.StartPage(QStringLiteral("a"), QStringLiteral("b"));
        QVERIFY(!broken.status().ok());
        QVERIFY(broken.status().error().contains(print::kScriptFileName));
    }

    void readNumber_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("value");
        QTest::newRow("point") << "311.85" << 311.85;
        QTest::newRow("comma") << "311,85" << 311.85;
        QTest::newRow("text after") << "1134abc" << 1134.0;
        QTest::newRow("blanks before") << "  -42.5 cm" << -42.5;
        QTest::newRow("exponent") << "1.134E+07" << 11340000.0;
        QTest::newRow("second separator") << "1,5,6" << 1.5;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("full-width digits") << "１２" << 0.0;
        QTest::newRow("overflow") << "1e999" << 0.0;
    }
    void readNumber()
    {
        QFETCH(QString, line);
        QFETCH(double, value);
        QCOMPARE(print::ReadNumber(line), value);
    }

    void commaSeparatorsReadLikePoints()
    {
        const QStringList withPoints{"#startpage", "#fontsize", "12.5", "#y", "311.85", "#x", "1134.5", "#txt_l", "A",
                                     "#line", "1134", "510.3", "10206", "515.97", "", "B"};
        QStringList withCommas = withPoints;
        for (QString &l : withCommas)
            if (!l.startsWith('#'))
                l.replace('.', ',');
        const RecordingTarget a = render(script(withPoints));
        const RecordingTarget b = render(script(withCommas));
        QCOMPARE(b.drawn.size(), 2);
        QCOMPARE(b.drawn.size(), a.drawn.size());
        for (int i = 0; i < a.drawn.size(); ++i) {
            QCOMPARE(b.drawn[i].at, a.drawn[i].at);
            QCOMPARE(b.drawn[i].to, a.drawn[i].to);
            QCOMPARE(b.drawn[i].font, a.drawn[i].font);
        }
        QCOMPARE(a.drawn[0].at, QPointF(1134.5, 311.85));
        QCOMPARE(a.drawn[0].font.size, 12.5);
    }

    // The header of a page: the rule, the left text, the right text ending at 18 cm.
    void interpreterDrawsWhatTheWritersWrote()
    {
        print::ScriptWriter w(path(), m_dialogs);
        w.StartPage(QStringLiteral("Print Preview"), QStringLiteral("Page 1"));
        w.PrintInLeft(5, 7, QStringLiteral("中文"), QStringLiteral("宋体"), 12, -1);
        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const RecordingTarget t = render(f.readAll());
        QCOMPARE(t.drawn.size(), 4);
        QCOMPARE(t.drawn[0].kind, Drawn::Box);
        QCOMPARE(t.drawn[0].at, QPointF(1134, 510.3));
        QCOMPARE(t.drawn[0].to, QPointF(10206, 515.97));
        QCOMPARE(t.drawn[0].fillStyle, 1);
        QCOMPARE(t.drawn[1].text, QStringLiteral("Print Preview"));
        QCOMPARE(t.drawn[1].at, QPointF(1134, 311.85));
        QCOMPARE(t.drawn[1].font, (print::PrintFont{"Arial", 8, false}));
        QCOMPARE(t.drawn[2].text, QStringLiteral("Page 1"));
        QCOMPARE(t.drawn[2].at, QPointF(10206 - 6 * t.charWidth, 311.85));
        QCOMPARE(t.drawn[3].text, QStringLiteral("中文"));
        QCOMPARE(t.drawn[3].at, QPointF(5 * 567, 7 * 567));
        QCOMPARE(t.drawn[3].font, (print::PrintFont{"宋体", 12, true}));
    }

    void zoomScalesFontsNotPositions()
    {
        const QByteArray s = script({"#startpage", "#fontsize", "12", "#y", "1000", "#x", "2000", "#txt_l", "A"});
        const RecordingTarget half = render(s, 1, 0.5);
        const RecordingTarget twice = render(s, 1, 2);
        QCOMPARE(half.drawn[0].font.size, 6.0);
        QCOMPARE(twice.drawn[0].font.size, 24.0);
        QCOMPARE(half.drawn[0].at, QPointF(2000, 1000));
        QCOMPARE(twice.drawn[0].at, QPointF(2000, 1000));
    }

    void pagesOfTheScript()
    {
        const QByteArray s = script({"#x", "1", "#txt_l", "before", "#startpage", "#txt_l", "one", "#endpage",
                                     "#txt_l", "after end", "#startpage", "#txt_l", "two", "#startpage", "#txt_l",
                                     "three"});
        const auto texts = [](const RecordingTarget &t) {
            QStringList l;
            for (const auto &d : t.texts())
                l << d.text;
            return l;
        };
        QCOMPARE(texts(render(s, 0)), QStringList{"before"});
        QCOMPARE(texts(render(s, 1)), QStringList{"one"});
        QCOMPARE(texts(render(s, 2)), QStringList{"two"});
        QCOMPARE(texts(render(s, 4)), QStringList{});
        QCOMPARE(print::PageCount(print::ParseScript(s)), 3);
        QCOMPARE(texts(render(script({"#txt_l", "no page"}), 1)), QStringList{});

        // On the printer each page gets its own sheet, end-of-page or not;
        // what follows an end of page goes on a sheet after it.
        RecordingTarget printer;
        QCOMPARE(print::PrintScriptPages(print::ParseScript(s), 1, 3, printer), 4);
        QStringList sheets;
        for (const auto &d : printer.drawn)
            sheets << (d.kind == Drawn::NewPage ? QStringLiteral("|") : d.text);
        QCOMPARE(sheets, (QStringList{"one", "|", "after end", "|", "two", "|", "three"}));

        RecordingTarget first;
        QCOMPARE(print::PrintScriptPages(print::ParseScript(s), 1, 1, first), 1);
        QCOMPARE(texts(first), QStringList{"one"});
        RecordingTarget second;
        print::PrintScriptPages(print::ParseScript(s), 2, 2, second);
        QCOMPARE(texts(second), QStringList{"two"});
        QCOMPARE(second.pages(), 1);
    }

    void printerFontsAreNotZoomed()
    {
        RecordingTarget printer;
        print::PrintScriptPages(print::ParseScript(script({"#startpage", "#fontsize", "14", "#txt_l", "A"})), 1, 1, printer);
        QCOMPARE(printer.drawn[0].font.size, 14.0);
    }

    void linesBoxesAndColours()
    {
        const RecordingTarget t = render(script({"#startpage", "#line", "0", "0", "100", "200", "", "",
                                                 "#line", "0", "0", "100", "200", "255", "B",
                                                 "#fill", "0", "#color", "65280", "#line", "10", "20", "30", "40", "", "B"}));
        QCOMPARE(t.drawn.size(), 3);
        QCOMPARE(t.drawn[0].kind, Drawn::Line);
        QCOMPARE(t.drawn[0].color, QColor(Qt::black));
        QCOMPARE(t.drawn[1].kind, Drawn::Line); // a colour wins over the box flag
        QCOMPARE(t.drawn[1].color, QColor(255, 0, 0));
        QCOMPARE(t.drawn[2].kind, Drawn::Box);
        QCOMPARE(t.drawn[2].fillStyle, 0);
        QCOMPARE(t.drawn[2].color, QColor(0, 255, 0));
    }

    // Whatever the file holds, reading it ends with a drawing or a reason.
    void badScripts()
    {
        const auto missing = print::ReadScript(m_dir.filePath("none.tmp"));
        QVERIFY(!missing.ok());
        QVERIFY(missing.error().contains("none.tmp"));

        QVERIFY(print::ParseScript(QByteArray()).isEmpty());

        QByteArray binary(200000, '\0');
        for (char &c : binary)
            c = char(QRandomGenerator::global()->bounded(256));
        binary += "\n#startpage\n#txt_l\n";
        const print::Script noise = print::ParseScript(binary);
        RecordingTarget t;
        print::RenderScriptPage(noise, 1, t, 1);
        print::PrintScriptPages(noise, 1, 1, t);

        // A command cut off by the end of the file is dropped, what came before stays.
        const print::Script cut = print::ParseScript("#startpage\r\n#txt_l\r\nkept\r\n#line\r\n1\r\n2\r\n3");
        QCOMPARE(cut.size(), 2);
        QCOMPARE(cut.last().kind, ScriptCommand::TextLeft);
        const print::Script cutText = print::ParseScript("#startpage\n#txt_l");
        QCOMPARE(cutText.size(), 1);

        const QString longText(10000, QChar(u'字'));
        const RecordingTarget drawn = render(script({"#startpage", "#txt_l", longText}));
        QCOMPARE(drawn.drawn.size(), 1);
        QCOMPARE(drawn.drawn[0].text.size(), 10000);

        // Argument lines are never taken for commands.
        const print::Script args = print::ParseScript(script({"#txt_l", "#startpage", "#fontname", "#endpage"}));
        QCOMPARE(args.size(), 2);
        QCOMPARE(args[0].text, QStringLiteral("#startpage"));
        QCOMPARE(args[1].text, QStringLiteral("#endpage"));

        // Absurd sizes still draw.
        const RecordingTarget sizes = render(script({"#startpage", "#fontsize", "-5", "#txt_l", "a", "#fontsize", "1e30", "#txt_l", "b"}));
        QCOMPARE(sizes.drawn.size(), 2);
    }
};

QTEST_MAIN(TstPrintScript)
#include "tst_printscript.moc"
