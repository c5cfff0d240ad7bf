#include "FakePrinters.h"
#include "FakeUserDialogs.h"
#include "PdfSupport.h"
#include "WhenModal.h"
#include "editor/mainFrm.h"
#include "heron/HeronFamily.h"
#include "osprey/OspreyFamily.h"
#include "pelican/PelicanFamily.h"
#include "print/PrnPrv.h"
#include "print/mdlMODEL.h"

#include <QAction>
#include <QComboBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cups/cups.h>
#include <unistd.h>

namespace {

QString run(const QString &program, const QStringList &args, int *code = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool done = p.waitForFinished(20000);
    if (code)
        *code = done && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAll());
}

// The system's printers with one named queue as the default.
class QueuePrinters : public print::SystemPrinters {
public:
    explicit QueuePrinters(QString queue) : m_queue(std::move(queue)) {}
    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        const QPrinterInfo info = QPrinterInfo::printerInfo(m_queue);
        return info.isNull() ? nullptr : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }

private:
    QString m_queue;
};

} // namespace

// A job reaches the printer only when the print service takes it; a refusal
// is said with the printer and the service's reason, and a taken job is
// named after the program and its file.
class TstPrintJobs : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    FakePrinters m_printers;
    std::unique_ptr<mainFrm> m_window;

    mainFrm *make(const Family &family, print::Printers *printers)
    {
        m_window.reset();
        m_dialogs = FakeUserDialogs();
        m_window = std::make_unique<mainFrm>(family, m_dialogs, mainFrm::Environment{m_dir.path(), m_dir.path(), {}, printers});
        if (family.models->asksForModel()) // the model dialog comes first
            testsupport::whenModal([](QWidget *d) { d->findChild<QPushButton *>("cmdOK")->click(); });
        m_window->Form_Activate();
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qFatal("the window does not become active");
        return m_window.get();
    }
    // Saves the channels under a name, so that the window has a file.
    void saveAs(const QString &name)
    {
        m_dialogs.fileNames.enqueue(m_dir.filePath(name));
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_dialogs.texts(), QStringList{"Successfully Saved"});
        m_dialogs.shown.clear();
    }
    // The family's own print command, as the operator gives it.
    void print(bool script)
    {
        QAction *command = m_window->findChild<QAction *>(script ? "mnuPreview" : "mnuPrint");
        QVERIFY(command && command->isEnabled());
        QTest::keyClick(m_window.get(), Qt::Key_P, Qt::ControlModifier);
        if (script) {
            print::PrnPrv *preview = m_window->printScript().preview();
            QVERIFY(preview && preview->isVisible());
            QTest::mouseClick(preview->findChild<QPushButton *>("Cmd4"), Qt::LeftButton);
        }
    }

private slots:
    void init()
    {
        m_printers = FakePrinters();
        m_printers.pdfPath = m_dir.filePath("job.pdf");
        QFile::remove(m_printers.pdfPath);
    }
    void cleanup() { m_window.reset(); }

    void eachFamilysPrintIsTakenOrRefused_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("refused");
        for (const char *program : {"Heron", "Pelican", "Osprey"}) {
            QTest::addRow("%s refused", program) << QString(program) << true;
            QTest::addRow("%s taken", program) << QString(program) << false;
        }
    }
    void eachFamilysPrintIsTakenOrRefused()
    {
        QFETCH(QString, program);
        QFETCH(bool, refused);
        const Family family = program == "Heron" ? HeronFamily() : program == "Pelican" ? PelicanFamily() : OspreyFamily();
        make(family, &m_printers);
        saveAs("my channels.chp");
        if (refused)
            m_printers.refusal = QStringLiteral("Destination \"Office Laser\" is not accepting jobs.");
        print(family.print.singlePrintItem());
        if (refused) {
            QCOMPARE(m_dialogs.shown.size(), 1);
            const QString said = m_dialogs.shown[0].text;
            QVERIFY2(said.contains("\"Office Laser\"") && said.contains("is not accepting jobs."), qPrintable(said));
            QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("Error"));
            QVERIFY(m_printers.jobTitles.isEmpty());
            QVERIFY(!QFile::exists(m_printers.pdfPath));
        } else {
            QCOMPARE(m_dialogs.texts(), QStringList());
            QCOMPARE(m_printers.jobTitles, QStringList{program + " - my channels.chp"});
            QCOMPARE(testsupport::pdfPageCount(m_printers.pdfPath), 1);
        }
    }

    // Without a file the job carries the program's name alone.
    void jobWithoutAFile()
    {
        make(HeronFamily(), &m_printers);
        print(false);
        QCOMPARE(m_printers.jobTitles, QStringList{"Heron"});
    }

    // A file chosen in the setup dialog is written without any queue, and
    // carries the job's name as its title.
    void fileChosenInTheSetupDialog()
    {
        make(OspreyFamily(), &m_printers);
        saveAs("hill.chp");
        m_printers.toFile = true;
        m_printers.refusal = QStringLiteral("no queue takes part");
        print(true);
        QCOMPARE(m_dialogs.texts(), QStringList());
        QVERIFY(m_printers.jobTitles.isEmpty());
        QCOMPARE(testsupport::pdfPageCount(m_printers.pdfPath), 1);
        QVERIFY(testsupport::runTool(QStringLiteral("pdfinfo"), {m_printers.pdfPath}).contains("Osprey - hill.chp"));
    }

    // The real print service, on a queue of the test's own that is stopped,
    // so nothing comes out: refusing, it is heard; accepting, the job waits
    // in it under its title.
    void printServiceRefusesAndTakes()
    {
        if (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains("is running"))
            QSKIP("no CUPS scheduler runs here");
        const QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
        if (!QFile::exists(ppd))
            QSKIP("no cups-pdf driver to set up a queue with");
        const QString queue = QStringLiteral("refusing-%1").arg(::getpid());
        int code = 0;
        const QString added = run(QStringLiteral("lpadmin"), {"-p", queue, "-v", "cups-pdf:/", "-P", ppd}, &code);
        if (code != 0)
            QSKIP(qPrintable("cannot add a queue: " + added));
        const auto removeQueue = qScopeGuard([&] { run(QStringLiteral("lpadmin"), {"-x", queue}); });
        run(QStringLiteral("cupsreject"), {"-r", "Toner low, call Anna", queue});

        QueuePrinters printers(queue);
        make(HeronFamily(), &printers);
        saveAs("site 4.chp");
        print(false);
        QCOMPARE(m_dialogs.shown.size(), 1);
        const QString said = m_dialogs.shown[0].text;
        QVERIFY2(said.contains("\"" + queue + "\"") && said.contains("not accepting"), qPrintable(said));
        QVERIFY2(said.contains("Toner low, call Anna"), qPrintable(said));

        run(QStringLiteral("cupsaccept"), {queue});
        m_dialogs.shown.clear();
        print(false);
        QCOMPARE(m_dialogs.texts(), QStringList());
        cups_job_t *jobs = nullptr;
        const int count = cupsGetJobs(&jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
        QStringList titles;
        for (int i = 0; i < count; ++i)
            titles << QString::fromUtf8(jobs[i].title);
        cupsFreeJobs(count, jobs);
        QCOMPARE(titles, QStringList{"Heron - site 4.chp"});
    }
};

QTEST_MAIN(TstPrintJobs)
#include "tst_printjobs.moc"
