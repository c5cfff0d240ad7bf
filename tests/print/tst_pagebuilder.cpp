#include "FakePrinters.h"
#include "FakeUserDialogs.h"
#include "PdfSupport.h"
#include "RecordingTarget.h"
#include "heron/HeronFamily.h"
#include "print/frmPreview.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using Drawn = RecordingTarget::Drawn;

namespace {

// A table like the editing window hands over: titles, numbers, one more
// empty row and column.
print::PrintGrid table(int channels, int cols = 9)
{
    print::PrintGrid g(channels + 2, cols);
    for (int c = 0; c < cols - 1; ++c)
        g.setCell(0, c, QStringLiteral("T%1").arg(c));
    for (int r = 1; r <= channels; ++r) {
        g.setCell(r, 0, QString::number(r));
        g.setCell(r, 1, QStringLiteral("R%1").arg(r));
    }
    return g;
}

print::DataPageData heronData(int channels)
{
    return {{"Heron-1(U)", "400MHz---470MHz", "Enable", "Yes", "OFF", "5", "", "English"}, table(channels)};
}

RecordingTarget drawPage(const print::DataPageData &data, bool printer, double ratio = 1)
{
    RecordingTarget t;
    print::DrawDataPage(t, HeronPrintPage(), data, ratio, printer);
    return t;
}

// Where each text of the table landed: page and y.
struct Place {
    int page;
    double y;
};
QMap<QString, Place> places(const RecordingTarget &t)
{
    QMap<QString, Place> m;
    int page = 1;
    for (const Drawn &d : t.drawn) {
        if (d.kind == Drawn::NewPage)
            ++page;
        else if (d.kind == Drawn::Text && !m.contains(d.text))
            m[d.text] = {page, d.at.y()};
    }
    return m;
}

} // namespace

class TstPageBuilder : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    FakePrinters m_printers;

private slots:
    void init()
    {
        m_dialogs = FakeUserDialogs();
        m_printers = FakePrinters();
        m_printers.pdfPath = m_dir.filePath("page.pdf");
        QFile::remove(m_printers.pdfPath);
    }

    void titlesAndSettings()
    {
        const RecordingTarget t = drawPage(heronData(16), true);
        QCOMPARE(t.scale(), QRectF(0, 0, 10, 20));
        const struct {
            const char *text;
            QPointF at;
            double size;
            bool bold;
        } expected[] = {
            {"The Page of Data-setting", {2.3, 1.3}, 30, true},
            {"一、The Part of Function Setting", {2.3, 2}, 28, true},
            {"Model Type：Heron-1(U)", {1.5, 3}, 25, false},
            {"Radio Band：400MHz---470MHz", {5, 3}, 25, false},
            {"Moni：Enable", {1.5, 3.7}, 25, false},
            {"Battery Save：Yes", {5, 3.7}, 25, false},
            {"Time Out timer：OFF", {1.5, 4.4}, 25, false},
            {"Squelch Level：5", {5, 4.4}, 25, false},
            {"Scan：", {1.5, 5.1}, 25, false}, // an empty setting prints its label alone
            {"Voice：English", {5, 5.1}, 25, false},
            {"二、The Part of Channel Information", {2.3, 6}, 28, true},
        };
        for (const auto &e : expected) {
            const Drawn *d = t.findText(QString::fromUtf8(e.text));
            QVERIFY2(d, e.text);
            QCOMPARE(d->at, e.at);
            QCOMPARE(d->font, (print::PrintFont{QStringLiteral("宋体"), e.size, e.bold}));
        }
    }

    void tableColumnsAndRows()
    {
        print::DataPageData data = heronData(16);
        for (int c = 0; c < 9; ++c)
            data.grid.setCell(3, c, QStringLiteral("c%1").arg(c));
        const RecordingTarget t = drawPage(data, true);
        const double xs[] = {1, 1.6, 2.9, 4.1, 5.3, 6.5, 7.7, 8.9, 10.1};
        for (int c = 0; c < 9; ++c) {
            const Drawn *d = t.findText(QStringLiteral("c%1").arg(c));
            QVERIFY(d);
            QCOMPARE(d->at, QPointF(xs[c], float(7 + 0.6f * 3)));
            QCOMPARE(d->font, (print::PrintFont{QStringLiteral("宋体"), 22, false}));
        }
        // Sixteen channels fit one page; the last one lies at 16.6.
        QCOMPARE(t.pages(), 1);
        QCOMPARE(places(t)["R16"].y, double(7 + 0.6f * 16));
        QCOMPARE(qRound(places(t)["R16"].y * 10), 166);
        QCOMPARE(places(t)["T1"].y, 7.0);
    }

    void pageBreaks()
    {
        const RecordingTarget t = drawPage({{}, table(39, 9)}, true); // 40 rows with the titles
        const auto p = places(t);
        QCOMPARE(t.pages(), 2);
        QCOMPARE(p["R21"].page, 1);
        QCOMPARE(qRound(p["R21"].y * 10), 196);
        QCOMPARE(p["R22"].page, 2);
        QCOMPARE(qRound(p["R22"].y * 10), 19);
        // The title row comes again at 1.3 on the new page, before row 22.
        int titleOnPage2 = -1, row22 = -1;
        for (int i = 0, page = 1; i < t.drawn.size(); ++i) {
            page += t.drawn[i].kind == Drawn::NewPage;
            if (page == 2 && t.drawn[i].text == "T1" && titleOnPage2 < 0)
                titleOnPage2 = i;
            if (t.drawn[i].text == "R22")
                row22 = i;
        }
        QVERIFY(titleOnPage2 > 0 && titleOnPage2 < row22);
        QCOMPARE(t.drawn[titleOnPage2].at.y(), 1.3);

        // 29 rows on each further page; a 200-row table takes eight pages.
        const RecordingTarget big = drawPage({{}, table(198, 9)}, true);
        QCOMPARE(big.pages(), 8);
        const auto b = places(big);
        QCOMPARE(b["R50"].page, 2);
        QCOMPARE(b["R51"].page, 3);
        QCOMPARE(qRound(b["R51"].y * 10), 19);

        // The picture shows the first page only, without breaks.
        const RecordingTarget picture = drawPage({{}, table(39, 9)}, false);
        QCOMPARE(picture.pages(), 1);
        QCOMPARE(places(picture)["R22"].y, double(7 + 0.6f * 22));
    }

    void ratioScalesFonts()
    {
        const RecordingTarget t = drawPage(heronData(16), true, 0.5);
        QCOMPARE(t.findText("The Page of Data-setting")->font.size, 15.0);
        QCOMPARE(t.findText("二、The Part of Channel Information")->font.size, 14.0);
        QCOMPARE(t.findText("Voice：English")->font.size, 12.5);
        QCOMPARE(t.findText("R1")->font.size, 11.0);

        QCOMPARE(print::PageRatio({5, 4}, {10, 20}), 0.2);
        QCOMPARE(print::PageRatio({5, 4}, {20, 10}), 0.25);
    }

    // The window: its picture, the page ratio without a printer, scrolling.
    void previewWindow()
    {
        m_printers.available = false;
        print::frmPreview w(HeronPrintPage(), m_printers, m_dialogs);
        QCOMPARE(w.windowTitle(), QStringLiteral("printVIEW"));
        w.data = heronData(16);
        w.Preview();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(m_dialogs.shown.isEmpty());
        const QImage &page = w.picture();
        int dark = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        QVERIFY(dark > 500);

        auto *bar = w.findChild<QScrollBar *>("VScroll1");
        QWidget *picture = w.pagePicture();
        const int top = picture->y();
        QTest::keyClick(bar, Qt::Key_PageDown);
        QVERIFY(bar->value() > 0);
        QVERIFY(picture->y() < top);
        QCOMPARE(w.picture().size(), page.size()); // not drawn again

        // Printing without a printer says so.
        QVERIFY(!w.PrintF());
        QCOMPARE(m_dialogs.texts(), QStringList{print::kNoPrinterText});
    }

    void printsToPdf()
    {
        auto *w = new print::frmPreview(HeronPrintPage(), m_printers, m_dialogs);
        QPointer<print::frmPreview> alive(w);
        w->data = {{"Heron-1(U)", "400MHz---470MHz", "Enable", "Yes", "OFF", "5", "Enable", "English"}, table(39, 9)};
        w->data.grid.setCell(5, 2, QStringLiteral("频道五"));
        w->data.grid.setCell(6, 2, QString(3000, QLatin1Char('x')));
        QVERIFY(w->PrintF());
        QTRY_VERIFY(!alive); // the window closes after printing
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(testsupport::pdfPageCount(m_printers.pdfPath), 2);
        const QString first = testsupport::pdfText(m_printers.pdfPath, 1);
        QVERIFY2(first.contains("The Page of Data-setting"), qPrintable(first));
        QVERIFY(first.contains("一、The Part of Function Setting"));
        QVERIFY(first.contains("频道五"));
        QVERIFY(first.contains("R21"));
        QVERIFY(!first.contains("R22"));
        const QString second = testsupport::pdfText(m_printers.pdfPath, 2);
        QVERIFY(second.contains("R22") && second.contains("T1"));
        QVERIFY(!second.contains("Data-setting"));
    }

    void printFailureIsReported()
    {
        m_printers.pdfPath = m_dir.filePath("no/such/folder/page.pdf");
        print::frmPreview *w = new print::frmPreview(HeronPrintPage(), m_printers, m_dialogs);
        w->data = heronData(16);
        QVERIFY(!w->PrintF());
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown[0].text.contains(QDir::toNativeSeparators(m_printers.pdfPath)));
        QVERIFY(m_dialogs.shown[0].text.contains("cannot be written"));
        QCOMPARE(m_dialogs.shown[0].icon, UserDialogs::Icon::Critical);
    }
};

QTEST_MAIN(TstPageBuilder)
#include "tst_pagebuilder.moc"
