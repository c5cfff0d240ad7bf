// Times the preview windows from the command to their first drawn page,
// scrolling the script preview, and printing to a PDF file, for a
// 16-channel page and a 200-row table.
#include "common/UserDialogs.h"
#include "print/PrnPrv.h"
#include "print/Printers.h"
#include "print/frmPreview.h"
#include "print/mdlMODEL.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPageSize>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr double kFirstPageTargetMs = 200;

class SilentDialogs : public UserDialogs {
public:
    QStringList said;
    Answer message(QWidget *, const QString &text, const QString &, Icon, Buttons) override
    {
        said << text;
        return Answer::Ok;
    }
    QString openFileName(QWidget *, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &) override { return {}; }
};

class PdfPrinters : public print::Printers {
public:
    QString path;
    bool hasPrinter() override { return true; }
    QSizeF pageSizeTwips() override { return {print::kA4WidthTwips, print::kA4HeightTwips}; }
    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(path);
        p->setPageSize(QPageSize(QPageSize::A4));
        return p;
    }
    std::unique_ptr<QPrinter> choosePrinter(QWidget *) override { return defaultPrinter(); }
    core::Result<int> submit(const QPrinter &, const QString &, const QString &) override
    {
        return core::fail<int>(QStringLiteral("printed to a file, not to a queue"));
    }
};

print::PrintGrid table(int rows)
{
    const QStringList titles{"No.", "RX Frequency", "TX Frequency", "QT/DQT Dec", "QT/DQT Enc", "Busy ", "W/N", "TX Power"};
    print::PrintGrid g(rows + 1, 9);
    for (int c = 0; c < 8; ++c)
        g.setCell(0, c, titles[c]);
    for (int r = 1; r < rows; ++r) {
        const QStringList cells{QString::number(r), "435.12500", "435.12500", "D023N", "254.1", "No", "W", "中功率"};
        for (int c = 0; c < 8; ++c)
            g.setCell(r, c, cells[c]);
    }
    return g;
}

double ms(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

QTextStream out(stdout);

void report(const QString &what, double milliseconds, const QString &note = QString())
{
    out << QStringLiteral("%1 %2 ms%3\n").arg(what, -44).arg(milliseconds, 8, 'f', 1).arg(note.isEmpty() ? QString() : "  " + note);
    out.flush();
}

// Writes a page of rows x 8 cells as the script preview's builders do.
void writeScriptPage(print::mdlMODEL &script, const print::PrintGrid &grid)
{
    static const double xs[] = {5, 6, 9, 12, 14.5, 17, 18, 19};
    script.ClearScriptFile();
    script.StartPage(QStringLiteral("Print Preview"), QStringLiteral("Page 1"));
    script.PrintInCen(9, 1.5, QStringLiteral("The Page of Data-setting"), QStringLiteral("Arial"), 16, -1);
    for (int r = 0; r < grid.rows() - 1; ++r)
        for (int c = 0; c < 8; ++c)
            script.PrintInLeft(float(xs[c]), 7 + 0.5f * r, grid.cell(r, c), QStringLiteral("宋体"), 12, -1);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SilentDialogs dialogs;
    PdfPrinters printers;
    printers.path = dir.filePath("bench.pdf");
    bool missed = false;

    print::DataPageLayout layout;
    const QStringList labels{"Model Type：", "Radio Band：", "Moni：", "Battery Save：", "Time Out timer：", "Squelch Level：", "Scan：", "Voice："};
    for (int i = 0; i < labels.size(); ++i)
        layout.settings.append({QString(), QString(), labels[i], {i % 2 ? 5.0 : 1.5, 3 + 0.7 * (i / 2)}});
    layout.columnX = [](int c, double) {
        static const double first[] = {1, 1.6, 2.9};
        return c < 3 ? first[c] : 2.9 + 1.2 * (c - 2);
    };

    for (const int rows : {17, 200}) {
        const print::PrintGrid grid = table(rows);
        const QString size = rows == 17 ? QStringLiteral("16 channels") : QStringLiteral("200 rows");
        const print::DataPageData data{{"Model-1(U)", "400MHz---470MHz", "Enable", "Yes", "OFF", "4", "Enable", "Off"}, grid};

        {
            QElapsedTimer t;
            t.start();
            auto *w = new print::frmPreview(layout, printers, dialogs);
            w->data = data;
            w->Preview();
            w->show();
            w->grab();
            const double first = ms(t);
            missed |= first > kFirstPageTargetMs;
            report("page builder preview, first page, " + size, first, first > kFirstPageTargetMs ? "MISSED" : "");
            delete w;
        }
        {
            QElapsedTimer t;
            t.start();
            auto *w = new print::frmPreview(layout, printers, dialogs);
            w->data = data;
            w->PrintF();
            report("page builder print to PDF, " + size, ms(t));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        {
            print::mdlMODEL script(dir.filePath(print::kScriptFileName), dialogs, printers, nullptr);
            QElapsedTimer t;
            t.start();
            writeScriptPage(script, grid);
            const double written = ms(t);
            script.ResetPageList();
            script.preview()->grab();
            const double first = ms(t);
            missed |= first > kFirstPageTargetMs;
            report("script preview, first page, " + size, first,
                   QStringLiteral("(writing the script %1 ms)%2").arg(written, 0, 'f', 1).arg(first > kFirstPageTargetMs ? " MISSED" : ""));

            print::PrnPrv *p = script.preview();
            p->findChild<QComboBox *>("zVal")->setCurrentText(QStringLiteral("200"));
            p->MostraPagina();
            auto *bar = p->findChild<QScrollBar *>("vBar");
            const int steps = 50;
            t.restart();
            for (int i = 1; i <= steps; ++i) {
                bar->setValue(bar->maximum() * i / steps);
                p->grab();
            }
            report("script preview at 200 %, one scroll step, " + size, ms(t) / steps);

            t.restart();
            p->Cmd_Click(4);
            report("script preview print to PDF, " + size, ms(t));
        }
    }
    if (!dialogs.said.isEmpty())
        out << "messages: " << dialogs.said.join(" | ") << "\n";
    return missed || !dialogs.said.isEmpty() ? 1 : 0;
}
