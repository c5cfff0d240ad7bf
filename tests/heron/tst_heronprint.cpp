#include "FakePrinters.h"
#include "FakeUserDialogs.h"
#include "PdfSupport.h"
#include "WhenModal.h"
#include "editor/ChannelGrid.h"
#include "editor/mainFrm.h"
#include "heron/HeronFamily.h"
#include "print/PrnPrv.h"
#include "print/frmPreview.h"
#include "print/mdlMODEL.h"

#include <QAction>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList kVariables{"strPCmodel", "strLable2", "strFuncM", "strSd", "strFuncT", "strFuncS", "strFuncSa", "strYybp"};
const QStringList kSources{"cboPCmodel", "Label2", "cboFuncMoni", "cbosd", "cboFuncTOT", "cboFuncSQL", "cboFuncSave", "cboYYBP"};

// Where the system's PDF printer puts its files, when the default queue is one.
QString cupsPdfFolder()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return QString();
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-v"), info.printerName()});
    if (!lpstat.waitForFinished(10000) || !lpstat.readAllStandardOutput().contains("cups-pdf:/"))
        return QString();
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly))
        for (const QByteArray &line : conf.readAll().split('\n'))
            if (line.startsWith("Out "))
                out = QString::fromUtf8(line.mid(4).trimmed());
    return out.replace(QStringLiteral("${HOME}"), QDir::homePath());
}

QStringList pdfsIn(const QString &folder)
{
    QStringList files;
    for (QDirIterator it(folder, {"*.pdf"}, QDir::Files); it.hasNext();)
        files << it.next();
    return files;
}

} // namespace

class TstHeronPrint : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    FakePrinters m_printers;
    std::unique_ptr<mainFrm> m_window;

    mainFrm *make(print::Printers *printers)
    {
        m_window.reset();
        m_dialogs = FakeUserDialogs();
        mainFrm::Environment env{m_dir.path(), m_dir.path(), {}, printers};
        m_window = std::make_unique<mainFrm>(HeronFamily(), m_dialogs, env);
        testsupport::whenModal([](QWidget *d) { d->findChild<QPushButton *>("cmdOK")->click(); });
        m_window->Form_Activate();
        ChannelGrid *g = m_window->grid();
        g->setCellText(1, 1, QStringLiteral("435.12500"));
        g->setCellText(1, 3, QStringLiteral("D023N"));
        g->setCellText(2, 1, QStringLiteral("中文频道"));
        g->setCellText(3, 2, QString(2000, QLatin1Char('W')));
        return m_window.get();
    }
    mainFrm *make() { return make(&m_printers); }
    QAction *action(const char *name) { return action(*m_window, name); }
    static QAction *action(QWidget &w, const char *name) { return w.findChild<QAction *>(QLatin1String(name)); }
    QString sourceText(const QString &name)
    {
        if (auto *c = m_window->findChild<QComboBox *>(name))
            return c->currentText();
        return m_window->findChild<QLabel *>(name)->text();
    }
    void pressCtrlP()
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_P, Qt::ControlModifier);
    }

private slots:
    void init()
    {
        m_printers = FakePrinters();
        m_printers.pdfPath = m_dir.filePath("heron.pdf");
        QFile::remove(m_printers.pdfPath);
    }
    void cleanup() { m_window.reset(); }

    void previewHandsOverTextsAndGrid()
    {
        mainFrm *w = make();
        QVERIFY(w->editorTimerActive());
        action("mnuPrintPreview")->trigger();
        print::frmPreview *page = w->pagePreview();
        QVERIFY(page);
        QVERIFY(page->isVisible());
        QVERIFY(!page->blnPrint);
        for (int i = 0; i < kVariables.size(); ++i)
            QCOMPARE(page->text(kVariables[i]), sourceText(kSources[i]));
        QCOMPARE(page->text("strLable2"), w->bandLabel());
        QVERIFY(page->text("strPCmodel").endsWith("(U)"));

        const print::PrintGrid &g = page->data.grid;
        QCOMPARE(g.rows(), 18);
        QCOMPARE(g.cols(), 9);
        for (int c = 0; c < 9; ++c)
            QVERIFY(g.cell(17, c).isEmpty());
        for (int r = 0; r < 18; ++r)
            QVERIFY(g.cell(r, 8).isEmpty());
        QCOMPARE(g.cell(0, 1), QStringLiteral("RX Frequency"));
        QCOMPARE(g.cell(16, 0), QStringLiteral("16"));
        QCOMPARE(g.cell(2, 1), QStringLiteral("中文频道"));
        QCOMPARE(g.cell(3, 2).size(), 2000);
        QCOMPARE(g.cell(4, 1), w->grid()->cellText(4, 1));

        // The editor timer rests until the window is activated again.
        QVERIFY(!w->editorTimerActive());
        w->Form_Activate();
        QVERIFY(w->editorTimerActive());
    }

    void anOpenPreviewIsDrawnAgain()
    {
        mainFrm *w = make();
        action("mnuPrintPreview")->trigger();
        print::frmPreview *page = w->pagePreview();
        const QImage before = page->picture().copy();
        w->grid()->setCellText(5, 1, QStringLiteral("446.00625"));
        action("mnuPrintPreview")->trigger();
        QCOMPARE(w->pagePreview(), page);
        QCOMPARE(page->data.grid.cell(5, 1), QStringLiteral("446.00625"));
        QVERIFY(page->picture() != before);
    }

    void ctrlPPrintsThePageToTheDefaultPrinter()
    {
        mainFrm *w = make();
        action("mnuPrintPreview")->trigger();
        QPointer<print::frmPreview> preview(w->pagePreview());
        pressCtrlP();
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(m_printers.setupShown, 0); // straight to the default printer
        QCOMPARE(testsupport::pdfPageCount(m_printers.pdfPath), 1);
        const QString text = testsupport::pdfText(m_printers.pdfPath);
        for (const QString &expected :
             {QStringLiteral("The Page of Data-setting"), QStringLiteral("一、The Part of Function Setting"),
              QStringLiteral("二、The Part of Channel Information"), "Model Type：" + sourceText("cboPCmodel"),
              "Radio Band：" + w->bandLabel(), "Voice：" + sourceText("cboYYBP"), QStringLiteral("中文频道"),
              QStringLiteral("435.12500"), QStringLiteral("TX Power")})
            QVERIFY2(text.contains(expected), qPrintable(expected + "\n" + text));
        // The Chinese texts are drawn in an embedded CJK face, not as missing glyphs.
        const QString fonts = testsupport::runTool(QStringLiteral("pdffonts"), {m_printers.pdfPath});
        QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral("UMing|WenQuanYi|CJK"))), qPrintable(fonts));
        for (int n = 1; n <= 16; ++n)
            QVERIFY(text.contains(QRegularExpression(QStringLiteral("(^|\\n)\\s*%1\\s").arg(n))));
        QVERIFY(!w->editorTimerActive() || w->isActiveWindow());
        // Printing closes the open preview.
        QTRY_VERIFY(!preview);

        QFile::remove(m_printers.pdfPath);
        action("tbPrint")->trigger();
        QCOMPARE(testsupport::pdfPageCount(m_printers.pdfPath), 1);
    }

    void failuresAreReported()
    {
        make();
        m_printers.pdfPath = m_dir.filePath("gone/heron.pdf");
        action("mnuPrint")->trigger();
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown[0].text.contains(QDir::toNativeSeparators(m_printers.pdfPath)));
        QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("Error"));

        // Without any printer the preview still shows; Print says why it cannot.
        m_dialogs.shown.clear();
        m_printers.available = false;
        action("mnuPrintPreview")->trigger();
        QVERIFY(m_window->pagePreview()->isVisible());
        QVERIFY(m_dialogs.shown.isEmpty());
        action("mnuPrint")->trigger();
        QCOMPARE(m_dialogs.texts(), QStringList{print::kNoPrinterText});
    }

    // A family that prints through the print script: Print writes the page
    // afresh and opens the script preview on it.
    void scriptPageFamily()
    {
        Family family = HeronFamily();
        family.print.scriptPage = [](print::ScriptWriter &script, const ScriptPageSource &source) {
            script.StartPage(QStringLiteral("Print Preview"), QStringLiteral("Page 1"));
            script.PrintInCen(0, 3, QStringLiteral("refused"), QStringLiteral("Arial"), 12, -1);
            script.PrintInLeft(5, 3, "Model Type：" + source.text("cboPCmodel"), QStringLiteral("Arial"), 12, -1);
            for (int r = 0; r < source.grid.rows(); ++r)
                for (int c = 0; c < source.grid.cols(); ++c)
                    script.PrintInLeft(5 + c, 7 + 0.5f * r, source.grid.cell(r, c), QStringLiteral("宋体"), 12, -1);
        };
        m_dialogs = FakeUserDialogs();
        mainFrm w(family, m_dialogs, {m_dir.path(), m_dir.path(), {}, &m_printers});
        w.grid()->setCellText(2, 1, QStringLiteral("中文频道"));
        for (int round = 0; round < 2; ++round)
            action(w, "tbPrint")->trigger();
        QVERIFY(!w.editorTimerActive());
        QCOMPARE(m_dialogs.texts(), (QStringList{"Error in coords!!!!", "Error in coords!!!!"}));
        print::PrnPrv *preview = w.printScript().preview();
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(w.findChildren<print::PrnPrv *>().size(), 1);
        const auto script = print::ReadScript(w.scriptPath());
        QVERIFY(script.ok());
        QCOMPARE(print::PageCount(*script), 1); // emptied before each page
        QCOMPARE(script->size(), 16 + 6 + 17 * 8 * 6); // header, model line, 17 x 8 cells
        bool chinese = false;
        for (const print::ScriptCommand &c : *script)
            chinese |= c.text == QStringLiteral("中文频道");
        QVERIFY(chinese);

        // The page goes to the printer from the preview's Print.
        QTest::mouseClick(preview->findChild<QPushButton *>("Cmd4"), Qt::LeftButton);
        QVERIFY(testsupport::pdfText(m_printers.pdfPath).contains(QStringLiteral("中文频道")));

        // A script that cannot be written is reported, and no preview opens.
        m_dialogs.shown.clear();
        mainFrm broken(family, m_dialogs, {m_dir.path(), m_dir.filePath("gone"), {}, &m_printers});
        action(broken, "mnuPrint")->trigger();
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown[0].text.contains(print::kScriptFileName));
        QVERIFY(!broken.printScript().preview());
    }

    // The system's own queue: a PDF printer of CUPS set as the default.
    void printsThroughCups()
    {
        const QString folder = cupsPdfFolder();
        if (folder.isEmpty())
            QSKIP("no CUPS scheduler with a PDF printer as the default queue");
        const QStringList before = pdfsIn(folder);
        make(nullptr);
        pressCtrlP();
        QVERIFY(m_dialogs.shown.isEmpty());
        QString printed;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const QString &f : pdfsIn(folder))
                    if (!before.contains(f) && testsupport::pdfPageCount(f) == 1)
                        printed = f;
                return !printed.isEmpty();
            }(),
            30000);
        // The queue draws the text anew, so the page is checked as a picture
        // against the same page printed to a file.
        const QImage queued = testsupport::pdfPagePicture(printed, 1, m_dir.filePath("queued"));
        QFile::remove(printed);
        make();
        action("mnuPrint")->trigger();
        const QImage direct = testsupport::pdfPagePicture(m_printers.pdfPath, 1, m_dir.filePath("direct"));
        QCOMPARE(queued.size(), direct.size());
        const int ink = testsupport::darkPixels(direct);
        QVERIFY2(ink > 1000, qPrintable(QString::number(ink)));
        QVERIFY2(qAbs(testsupport::darkPixels(queued) - ink) < ink / 5,
                 qPrintable(QStringLiteral("%1 vs %2").arg(testsupport::darkPixels(queued)).arg(ink)));
    }
};

QTEST_MAIN(TstHeronPrint)
#include "tst_heronprint.moc"
