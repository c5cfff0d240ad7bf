#include "FakePrinters.h"
#include "FakeUserDialogs.h"
#include "PdfSupport.h"
#include "RecordingTarget.h"
#include "WhenModal.h"
#include "editor/ChannelGrid.h"
#include "editor/mainFrm.h"
#include "pelican/PelicanFamily.h"
#include "print/frmPreview.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using Drawn = RecordingTarget::Drawn;

// Pelican's data-setting page: its three more settings, its column places
// and the "OFF" of empty cells, on the preview and on paper.
class TstPelicanPrint : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    FakePrinters m_printers;
    std::unique_ptr<mainFrm> m_window;

    mainFrm *make(int position)
    {
        m_window.reset();
        m_dialogs = FakeUserDialogs();
        mainFrm::Environment env{m_dir.path(), m_dir.path(), {}, &m_printers};
        m_window = std::make_unique<mainFrm>(PelicanFamily(), m_dialogs, env);
        testsupport::whenModal([position](QWidget *d) {
            d->findChild<QComboBox *>("cmbJX")->setCurrentIndex(position);
            d->findChild<QPushButton *>("cmdOK")->click();
        });
        m_window->Form_Activate();
        choose("cboTSY", 1);
        choose("cboRPGN", 0);
        choose("cboYXXD", 11);
        ChannelGrid *g = m_window->grid();
        g->setCellText(1, 1, "435.12500");
        g->setCellText(1, 3, "D023N");
        return m_window.get();
    }
    void choose(const QString &name, int index)
    {
        auto *c = m_window->findChild<QComboBox *>(name);
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    QAction *action(const char *name) { return m_window->findChild<QAction *>(QLatin1String(name)); }
    const print::DataPageData &preview()
    {
        action("mnuPrintPreview")->trigger();
        return m_window->pagePreview()->data;
    }

private slots:
    void init()
    {
        m_printers = FakePrinters();
        m_printers.pdfPath = m_dir.filePath("pelican.pdf");
        QFile::remove(m_printers.pdfPath);
    }
    void cleanup() { m_window.reset(); }

    void handOverOfTheThreeSettingsAndTheGrid()
    {
        mainFrm *w = make(4);
        const print::DataPageData &data = preview();
        print::frmPreview *page = w->pagePreview();
        QCOMPARE(page->text("strTSY"), QString("Disable"));
        QCOMPARE(page->text("strRPGN"), QString("Enable"));
        QCOMPARE(page->text("strYXXD"), QString("12"));
        QCOMPARE(page->text("strPCmodel"), QString("QZ510(U)"));
        QCOMPARE(data.grid.rows(), 18);
        QCOMPARE(data.grid.cols(), 12);
        QCOMPARE(data.grid.cell(0, 9), QString("Scrambler Code."));
        QCOMPARE(data.grid.cell(16, 0), QString("16"));
        QCOMPARE(data.grid.cell(1, 1), QString("435.12500"));
        QCOMPARE(data.grid.cell(1, 2), QString("OFF"));
        for (int c = 1; c <= 10; ++c)
            QCOMPARE(data.grid.cell(9, c), QString("OFF"));
        for (int c = 0; c < 12; ++c)
            QVERIFY(data.grid.cell(17, c).isEmpty());
    }

    void settingsInThreeColumns()
    {
        make(3);
        RecordingTarget t;
        print::DrawDataPage(t, PelicanPrintPage(), preview(), 1, false);
        const QList<std::pair<QString, QPointF>> expected{
            {"Model Type：QZ236star(U)", {1.5, 3}}, {"Radio Band：", {4, 3}},
            {"Moni：Enable", {1.5, 3.7}},          {"Battery Save：Yes", {4, 3.7}},
            {"Sound：Disable", {7, 3.7}},          {"Interrupt：Enable", {1.5, 4.4}},
            {"Time Out timer：30s", {4, 4.4}},     {"Squelch Level：4", {7, 4.4}},
            {"Scan：Enable", {1.5, 5.1}},          {"First：12", {4, 5.1}},
            {"Voice：Off", {7, 5.1}},
        };
        for (const auto &[text, at] : expected) {
            const Drawn *d = t.findText(text);
            QVERIFY2(d, qPrintable(text));
            QCOMPARE(d->at, at);
        }
    }

    void columnPlaces_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QList<double>>("xs");
        const QList<double> all{1, 1.6, 2.8, 4.2, 5.2, 6.3, 6.7, 7.16, 7.62, 8.08, 8.54, 9.0};
        QTest::newRow("11 columns") << 5 << all;
        QTest::newRow("8 columns") << 0 << all.mid(0, 9);
    }
    void columnPlaces()
    {
        QFETCH(int, position);
        QFETCH(QList<double>, xs);
        make(position);
        const print::DataPageData &data = preview();
        QCOMPARE(data.grid.cols(), xs.size());
        RecordingTarget t;
        print::DrawDataPage(t, PelicanPrintPage(), data, 1, false);
        // The title row, and channel 9's "OFF" cells, stand at the column places.
        QList<double> titleXs, offXs;
        for (const Drawn &d : t.texts()) {
            if (qAbs(d.at.y() - 7) < 1e-6)
                titleXs << d.at.x();
            if (qAbs(d.at.y() - (7 + 0.6 * 9)) < 1e-6 && d.text != "9")
                offXs << d.at.x();
        }
        QCOMPARE(titleXs.size(), xs.size());
        for (int c = 0; c < xs.size(); ++c)
            QVERIFY2(qAbs(titleXs[c] - xs[c]) < 1e-9, qPrintable(QString("%1: %2").arg(c).arg(titleXs[c])));
        QVERIFY(offXs.size() >= xs.size() - 2);
        for (int c = 0; c < xs.size() - 2; ++c)
            QVERIFY(qAbs(offXs[c] - xs[c + 1]) < 1e-9);
        QVERIFY(t.findText("OFF"));
    }

    void printedPageShowsWhatThePreviewShows()
    {
        mainFrm *w = make(4);
        action("mnuPrintPreview")->trigger();
        print::frmPreview *page = w->pagePreview();
        const QStringList three{"Sound：" + page->text("strTSY"), "Interrupt：" + page->text("strRPGN"),
                                "First：" + page->text("strYXXD")};
        action("mnuPrint")->trigger();
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(testsupport::pdfPageCount(m_printers.pdfPath), 1);
        const QString text = testsupport::pdfText(m_printers.pdfPath);
        for (const QString &expected : three + QStringList{"Scrambler", "Compandor", "435.12500", "D023N", "OFF"})
            QVERIFY2(text.contains(expected), qPrintable(expected + "\n" + text));
        QCOMPARE(three, (QStringList{"Sound：Disable", "Interrupt：Enable", "First：12"}));
    }
};

QTEST_MAIN(TstPelicanPrint)
#include "tst_pelicanprint.moc"
