#include "FakePrinters.h"
#include "FakeUserDialogs.h"
#include "PdfSupport.h"
#include "RecordingTarget.h"
#include "print/PrnPrv.h"
#include "print/mdlMODEL.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QtTest>

namespace {

RecordingTarget recordPicture(const print::PrnPrv &w)
{
    RecordingTarget t;
    w.page()->paintPage(t);
    return t;
}

} // namespace

class TstPrnPrv : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    FakePrinters m_printers;
    std::unique_ptr<print::mdlMODEL> m_engine;

    QString scriptPath() const { return m_dir.filePath(print::kScriptFileName); }

    // A two-page script through the writers, shown the way a page builder shows it.
    print::PrnPrv *open()
    {
        m_engine = std::make_unique<print::mdlMODEL>(scriptPath(), m_dialogs, m_printers, nullptr);
        m_engine->ClearScriptFile();
        m_engine->StartPage(QStringLiteral("Print Preview"), QStringLiteral("Page 1"));
        m_engine->PrintInCen(9, 1.5, QStringLiteral("The Page of Data-setting"), QStringLiteral("Arial"), 16, -1);
        m_engine->PrintInLeft(5, 7, QStringLiteral("一、频道"), QStringLiteral("宋体"), 12, -1);
        m_engine->StartPage(QStringLiteral("Second sheet"), QStringLiteral("Page 2"));
        // Measuring does not open the preview before the page is finished.
        if (m_engine->preview())
            return nullptr;
        m_engine->ResetPageList();
        return m_engine->preview();
    }
    template <class T>
    T *child(QWidget *w, const char *name)
    {
        return w->findChild<T *>(QLatin1String(name));
    }
    void click(QWidget *w, const char *name)
    {
        auto *b = child<QPushButton>(w, name);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_engine.reset();
        m_dialogs = FakeUserDialogs();
        m_printers = FakePrinters();
        m_printers.pdfPath = m_dir.filePath("out.pdf");
        QFile::remove(m_printers.pdfPath);
    }

    void controls()
    {
        print::PrnPrv *w = open();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Preview"));
        const struct {
            const char *name, *text, *tip;
        } buttons[] = {{"Cmd0", "Reset", "refresh (CR)"}, {"Cmd1", "Zoom in", "zoom in (+)"},
                       {"Cmd2", "Zoom out", "zoom out (-)"}, {"Cmd4", "Print", "select printer"},
                       {"Cmd10", "Exit", "close"}, {"Command3", "Imposta B5", ""}};
        for (const auto &b : buttons) {
            auto *button = child<QPushButton>(w, b.name);
            QVERIFY2(button, b.name);
            QCOMPARE(button->text(), QString::fromUtf8(b.text));
            QCOMPARE(button->toolTip(), QString::fromUtf8(b.tip));
        }
        auto *zVal = child<QComboBox>(w, "zVal");
        QStringList zooms;
        for (int i = 0; i < zVal->count(); ++i)
            zooms << zVal->itemText(i);
        QCOMPARE(zooms, (QStringList{"25", "50", "75", "100", "125", "150", "175", "200"}));
        QCOMPARE(zVal->currentText(), QStringLiteral("100"));
        QVERIFY(!zVal->isEditable());
        QCOMPARE(zVal->toolTip(), QStringLiteral("zoom factor"));
        auto *ePag = child<QComboBox>(w, "ePag");
        QCOMPARE(ePag->count(), 1);
        QCOMPARE(ePag->currentText(), QStringLiteral("1"));
        QCOMPARE(ePag->toolTip(), QStringLiteral("select (selected) page"));
        QStringList status;
        for (const char *l : {"Label1", "aPag", "Label3", "tPag", "Label5", "zPag"})
            status << child<QLabel>(w, l)->text();
        QCOMPARE(status, (QStringList{"page:", "1", "of", "1", "zoom:", "100%"}));

        // The finished page 1: the header, the centred title, the Chinese text.
        const RecordingTarget t = recordPicture(*w);
        QVERIFY(t.findText("Print Preview"));
        QVERIFY(t.findText("Page 1"));
        QVERIFY(t.findText("一、频道"));
        QVERIFY(!t.findText("Second sheet"));
        QCOMPARE(w->page()->size(), QSize(qRound(11907 * w->logicalDpiX() / 1440.0), qRound(16839.9 * w->logicalDpiY() / 1440.0)));
    }

    void zoomButtons()
    {
        print::PrnPrv *w = open();
        const QSize full = w->page()->size();
        auto *zVal = child<QComboBox>(w, "zVal");
        click(w, "Cmd2");
        click(w, "Cmd2");
        QCOMPARE(zVal->currentText(), QStringLiteral("50"));
        QCOMPARE(child<QLabel>(w, "zPag")->text(), QStringLiteral("50%"));
        QVERIFY(qAbs(w->page()->width() * 2 - full.width()) <= 1);
        QVERIFY(qAbs(w->page()->height() * 2 - full.height()) <= 1);
        const RecordingTarget half = recordPicture(*w);
        QCOMPARE(half.findText("Print Preview")->font.size, 4.0);
        QCOMPARE(half.findText("Print Preview")->at, QPointF(1134, 311.85)); // positions stay in page twips

        zVal->setCurrentIndex(0);
        click(w, "Cmd0");
        const QSize smallest = w->page()->size();
        click(w, "Cmd2");
        QCOMPARE(zVal->currentText(), QStringLiteral("25"));
        QCOMPARE(w->page()->size(), smallest);

        zVal->setCurrentIndex(zVal->count() - 1);
        click(w, "Cmd0");
        const QSize largest = w->page()->size();
        click(w, "Cmd1");
        QCOMPARE(zVal->currentText(), QStringLiteral("200"));
        QCOMPARE(w->page()->size(), largest);
        QCOMPARE(recordPicture(*w).findText("Print Preview")->font.size, 16.0);
    }

    void scrolling()
    {
        print::PrnPrv *w = open();
        child<QComboBox>(w, "zVal")->setCurrentText(QStringLiteral("200"));
        click(w, "Cmd0");
        auto *vBar = child<QScrollBar>(w, "vBar");
        auto *hBar = child<QScrollBar>(w, "hBar");
        QVERIFY(vBar->maximum() > 0);
        QVERIFY(hBar->maximum() > 0);
        QWheelEvent wheel(QPointF(5, 5), vBar->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(vBar, &wheel);
        QVERIFY(vBar->value() > 0);
        // The wheel over the page itself scrolls too.
        const int before = vBar->value();
        QWheelEvent overPage(QPointF(50, 50), w->page()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                             Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w->page(), &overPage);
        QVERIFY(vBar->value() > before);
        // The bars count in page twips.
        const auto pixels = [](int twips, double pagePixels, double pageTwips) { return qRound(twips * pagePixels / pageTwips); };
        QCOMPARE(w->page()->y(), -pixels(vBar->value(), w->page()->height(), print::kA4HeightTwips));
        hBar->setValue(hBar->maximum());
        QCOMPARE(w->page()->x(), -pixels(hBar->maximum(), w->page()->width(), print::kA4WidthTwips));
        QCOMPARE(w->page()->y(), -pixels(vBar->value(), w->page()->height(), print::kA4HeightTwips));
        // The page stays whole while it moves.
        QVERIFY(recordPicture(*w).findText("Print Preview"));
    }

    // A click on a scroll bar's arrow moves the page by 20 twips of paper:
    // half an inch in 36 clicks, at 100 % half the pixels the screen has per inch.
    void arrowStepIsTwentyTwips_data()
    {
        QTest::addColumn<QString>("zoom");
        QTest::newRow("100") << QStringLiteral("100");
        QTest::newRow("200") << QStringLiteral("200");
    }
    void arrowStepIsTwentyTwips()
    {
        QFETCH(QString, zoom);
        print::PrnPrv *w = open();
        child<QComboBox>(w, "zVal")->setCurrentText(zoom);
        click(w, "Cmd0");
        for (const char *name : {"vBar", "hBar"}) {
            auto *bar = child<QScrollBar>(w, name);
            QStyleOptionSlider option;
            option.initFrom(bar);
            option.orientation = bar->orientation();
            option.minimum = bar->minimum();
            option.maximum = bar->maximum();
            option.sliderPosition = option.sliderValue = bar->value();
            option.singleStep = bar->singleStep();
            option.pageStep = bar->pageStep();
            option.subControls = QStyle::SC_All;
            const QPoint arrow =
                bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, bar).center();
            QTest::mouseClick(bar, Qt::LeftButton, {}, arrow);
            QCOMPARE(bar->value(), 20);
            for (int i = 1; i < 36; ++i)
                QTest::mouseClick(bar, Qt::LeftButton, {}, arrow);
            QCOMPARE(bar->value(), 720);
            const bool down = bar->orientation() == Qt::Vertical;
            const int halfInch = (down ? w->logicalDpiY() : w->logicalDpiX()) * zoom.toInt() / 200;
            const int moved = down ? -w->page()->y() : -w->page()->x();
            QVERIFY2(qAbs(moved - halfInch) <= 1, qPrintable(QStringLiteral("%1 px for %2").arg(moved).arg(halfInch)));
        }
    }

    void printsPageOneAfterTheSetupDialog()
    {
        print::PrnPrv *w = open();
        auto *ePag = child<QComboBox>(w, "ePag");
        ePag->addItem(QStringLiteral("2"));
        ePag->setCurrentIndex(1);
        click(w, "Cmd0");
        QVERIFY(recordPicture(*w).findText("Second sheet"));

        click(w, "Cmd4");
        QCOMPARE(m_printers.setupShown, 1);
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(testsupport::pdfPageCount(m_printers.pdfPath), 1);
        const QString text = testsupport::pdfText(m_printers.pdfPath);
        QVERIFY2(text.contains("Print Preview") && text.contains("Page 1"), qPrintable(text));
        QVERIFY(text.contains("The Page of Data-setting"));
        QVERIFY(text.contains("一、频道"));
        QVERIFY(!text.contains("Second sheet"));

        // Cancelled setup prints nothing; no printer says so; a bad file names itself.
        QFile::remove(m_printers.pdfPath);
        m_printers.acceptSetup = false;
        click(w, "Cmd4");
        QVERIFY(!QFile::exists(m_printers.pdfPath));
        QVERIFY(m_dialogs.shown.isEmpty());

        m_printers.available = false;
        click(w, "Cmd4");
        QCOMPARE(m_dialogs.texts(), QStringList{print::kNoPrinterText});

        m_printers = FakePrinters();
        m_printers.pdfPath = m_dir.filePath("missing/out.pdf");
        click(w, "Cmd4");
        QCOMPARE(m_dialogs.shown.size(), 2);
        QVERIFY(m_dialogs.shown[1].text.contains(QDir::toNativeSeparators(m_printers.pdfPath)));
    }

    void b5PageAndExit()
    {
        print::PrnPrv *w = open();
        const int height = w->page()->height();
        click(w, "Command3");
        QCOMPARE(w->page()->height(), height);
        QCOMPARE(w->page()->width(), qRound(15.0 / 21.0 * height));
        QVERIFY(recordPicture(*w).drawn.isEmpty()); // cleared until the next redraw
        click(w, "Cmd0");
        QVERIFY(recordPicture(*w).findText("Print Preview"));

        QPointer<print::PrnPrv> alive(w);
        click(w, "Cmd10");
        QTRY_VERIFY(!alive);
    }

    // A new script closes the open preview; the next page opens it again.
    void clearingClosesThePreview()
    {
        QPointer<print::PrnPrv> first(open());
        QVERIFY(first);
        m_engine->ClearScriptFile();
        QVERIFY(!first);
        QCOMPARE(QFileInfo(scriptPath()).size(), 0);
        m_engine->StartPage(QStringLiteral("again"), QStringLiteral("Page 1"));
        m_engine->ResetPageList();
        QVERIFY(m_engine->preview());
        QVERIFY(recordPicture(*m_engine->preview()).findText("again"));
    }

    void missingOrBrokenScript()
    {
        print::PrnPrv *w = open();
        QFile::remove(scriptPath());
        click(w, "Cmd0");
        const RecordingTarget t = recordPicture(*w);
        QCOMPARE(t.texts().size(), 1);
        QVERIFY(t.texts()[0].text.contains(print::kScriptFileName));
        w->grab(); // drawing it does not fail
        click(w, "Cmd4");
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown[0].text.contains(print::kScriptFileName));

        QFile f(scriptPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100000, '\xff') + "\n#startpage\n#txt_l\n" + QByteArray(10000, 'x') + "\n#line\n1\n");
        f.close();
        click(w, "Cmd0");
        QCOMPARE(recordPicture(*w).texts().size(), 1);
        w->grab();
    }
};

QTEST_MAIN(TstPrnPrv)
#include "tst_prnprv.moc"
