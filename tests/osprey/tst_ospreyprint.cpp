#include "FakePrinters.h"
#include "FakeUserDialogs.h"
#include "PdfSupport.h"
#include "TestSupport.h"
#include "editor/ChannelGrid.h"
#include "editor/mainFrm.h"
#include "osprey/OspreyFamily.h"
#include "osprey/OspreySettingsPage.h"
#include "print/PrnPrv.h"
#include "print/mdlMODEL.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using testsupport::trigger;

// One text of the script with the position and font it is drawn in.
struct Drawn {
    print::ScriptCommand::Kind kind;
    double x, y;
    QString font;
    double size;
    bool bold;
    QString text;
};

QList<Drawn> textsOf(const print::Script &script)
{
    QList<Drawn> out;
    Drawn now{};
    for (const print::ScriptCommand &c : script) {
        switch (c.kind) {
        case print::ScriptCommand::X: now.x = c.number; break;
        case print::ScriptCommand::Y: now.y = c.number; break;
        case print::ScriptCommand::FontName: now.font = c.text; break;
        case print::ScriptCommand::FontSize: now.size = c.number; break;
        case print::ScriptCommand::FontBold: now.bold = c.text != QLatin1String("0"); break;
        case print::ScriptCommand::TextLeft:
        case print::ScriptCommand::TextCentre:
        case print::ScriptCommand::TextRight:
            now.kind = c.kind;
            now.text = c.text;
            out << now;
            break;
        default: break;
        }
    }
    return out;
}

bool near(double twips, double cm) { return qAbs(twips - cm * print::kTwipsPerCm) < 1; }

} // namespace

class TstOspreyPrint : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    FakePrinters m_printers;
    std::unique_ptr<mainFrm> m_window;

    mainFrm *make(const QByteArray &settings = "[Frequent]\r\nPL1=400MHz---470MHz\r\n")
    {
        m_window.reset();
        if (!testsupport::writeBytes(m_dir.filePath("Sfc.ini"), settings))
            qFatal("cannot write the settings file");
        m_dialogs = FakeUserDialogs();
        m_printers.pdfPath = m_dir.filePath("page.pdf");
        QFile::remove(m_printers.pdfPath);
        m_window = std::make_unique<mainFrm>(OspreyFamily(), m_dialogs, mainFrm::Environment{m_dir.path(), m_dir.path(), {}, &m_printers});
        m_window->Form_Activate();
        ChannelGrid *g = m_window->grid();
        g->setChannelTexts({{"435.12500", "435.12500", "67", "D047I", "Yes", "N", "Middle"}, {"OFF", "OFF"}});
        return m_window.get();
    }
    QList<Drawn> drawn()
    {
        const auto script = print::ReadScript(m_window->scriptPath());
        if (!script)
            qFatal("%s", qPrintable(script.error()));
        return textsOf(*script);
    }

private slots:
    void settingsPageLines()
    {
        mainFrm *w = make();
        w->findChild<QComboBox *>("cboFuncSQL")->setCurrentIndex(7);
        QVERIFY(trigger(w, "mnuPreview"));
        QVERIFY(!w->editorTimerActive());
        QCOMPARE(m_dialogs.shown.size(), 0);
        const QList<Drawn> texts = drawn();

        // The header's two texts, then eleven settings lines, then the cells.
        QCOMPARE(texts.value(0).text, QString("Print Preview"));
        QCOMPARE(texts.value(1).text, QString("Page 1"));
        QCOMPARE(texts.size(), 2 + 11 + 136);
        const QList<Drawn> settings = texts.mid(2, 11);
        const QStringList expected{"The Page of Data-setting",
                                   "一、The Part of Function Setting",
                                   "Model Type：QZ--311B(1)",
                                   "Radio Band：400MHz---470MHz",
                                   "Moni：Enable",
                                   "Battery Save：Yes",
                                   "Time Out timer(TOT)：Off",
                                   "Squelch Level：7",
                                   "Scan：Enable",
                                   "Voice：Off",
                                   "二、The Part of Channel Information"};
        const QList<double> ys{1.5, 2.5, 3, 3, 3.5, 3.5, 4, 4, 4.5, 4.5, 6.5};
        for (int i = 0; i < 11; ++i) {
            QCOMPARE(settings[i].text, expected[i]);
            QCOMPARE(settings[i].kind, print::ScriptCommand::TextCentre);
            QVERIFY2(near(settings[i].y, ys[i]), qPrintable(settings[i].text));
            QCOMPARE(settings[i].font, QString("Arial"));
            QCOMPARE(settings[i].size, i == 0 ? 16.0 : 12.0);
            QVERIFY(settings[i].bold);
        }

        // Every cell of the 17 x 8 grid, row by row, at its column's place.
        const QList<double> xs{5, 6, 9, 12, 14.5, 17, 18, 19};
        const QList<Drawn> cells = texts.mid(13);
        for (int r = 0; r < 17; ++r) {
            for (int c = 0; c < 8; ++c) {
                const Drawn &d = cells[r * 8 + c];
                QCOMPARE(d.kind, print::ScriptCommand::TextLeft);
                QCOMPARE(d.text, w->grid()->cellText(r, c));
                QVERIFY2(near(d.x, xs[c]) && near(d.y, 7 + 0.5 * r), qPrintable(QStringLiteral("%1,%2").arg(r).arg(c)));
                QCOMPARE(d.font, QString("宋体"));
                QVERIFY(d.bold);
            }
        }
        QCOMPARE(cells[0].text, QString("No."));
        QCOMPARE(cells[8 + 4].text, QString("D047I"));
        QCOMPARE(cells[16 + 3].text, QString("")); // empty cells as empty texts
        QCOMPARE(OspreyColumnX(8), 20.f);
    }

    void printTwiceGivesOnePageAndThePreviewPrintsIt()
    {
        mainFrm *w = make();
        QVERIFY(trigger(w, "tbPrint"));
        QVERIFY(trigger(w, "tbPrint"));
        const auto script = print::ReadScript(w->scriptPath());
        QVERIFY(script.ok());
        QCOMPARE(print::PageCount(*script), 1);
        print::PrnPrv *preview = w->printScript().preview();
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(w->findChildren<print::PrnPrv *>().size(), 1);
        QVERIFY(!w->port()->isOpen());

        QTest::mouseClick(preview->findChild<QPushButton *>("Cmd4"), Qt::LeftButton);
        const QString text = testsupport::pdfText(m_printers.pdfPath);
        QVERIFY2(text.contains("435.12500") && text.contains("The Page of Data-setting"), qPrintable(text));
    }

    void centredLineOffThePageIsRefusedAndThePageGoesOn()
    {
        make("[Frequent]\r\nPL1=" + QByteArray(120, 'W') + "\r\n");
        QVERIFY(trigger(m_window.get(), "mnuPreview"));
        QCOMPARE(m_dialogs.texts(), QStringList{"Error in coords!!!!"});
        const QList<Drawn> texts = drawn();
        QCOMPARE(texts.size(), 2 + 10 + 136);
        QVERIFY(m_window->printScript().preview()->isVisible());
    }

    void unwritableScriptIsReported()
    {
        m_dialogs = FakeUserDialogs();
        mainFrm w(OspreyFamily(), m_dialogs, {m_dir.path(), m_dir.filePath("gone"), {}, &m_printers});
        QVERIFY(trigger(&w, "tbPrint"));
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown[0].text.contains(print::kScriptFileName));
        QVERIFY(!w.printScript().preview());
    }
};

QTEST_MAIN(TstOspreyPrint)
#include "tst_ospreyprint.moc"
