#include "Printers.h"
#include "engine/PaintTarget.h"
#include "engine/PrintScript.h"

#include "common/UserDialogs.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace print {

namespace {

// The default queue, or the first one when the system names no default.
QPrinterInfo systemPrinter()
{
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (!all.isEmpty())
            info = all.first();
    }
    return info;
}

// A queue that its operator stopped or set to refuse jobs says why here.
QString queueStateMessage(const QByteArray &queue)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.constData());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-state-message");
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QString message;
    if (ipp_attribute_t *attr = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        message = QString::fromUtf8(ippGetString(attr, 0, nullptr)).trimmed();
    ippDelete(response);
    return message;
}

void report(UserDialogs &dialogs, QWidget *parent, const QPrinter &printer, const QString &cause)
{
    dialogs.message(parent, QStringLiteral("Printing on \"%1\" failed: %2").arg(PrinterLabel(printer), cause),
                    QStringLiteral("Error"), UserDialogs::Icon::Critical);
}

} // namespace

bool SystemPrinters::hasPrinter() { return !systemPrinter().isNull(); }

QSizeF SystemPrinters::pageSizeTwips()
{
    const QPrinterInfo info = systemPrinter();
    const QPageSize page = info.isNull() ? QPageSize() : info.defaultPageSize();
    if (!page.isValid())
        return {kA4WidthTwips, kA4HeightTwips};
    return page.sizePoints() * 20.0;
}

std::unique_ptr<QPrinter> SystemPrinters::defaultPrinter()
{
    const QPrinterInfo info = systemPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

core::Result<int> SystemPrinters::submit(const QPrinter &printer, const QString &pdf, const QString &title)
{
    const QByteArray queue = printer.printerName().toUtf8();
    // What the setup dialog chose beyond the page, which the document carries.
    cups_option_t *options = nullptr;
    int count = 0;
    if (printer.copyCount() > 1) {
        count = cupsAddOption("copies", QByteArray::number(printer.copyCount()).constData(), count, &options);
        count = cupsAddOption("multiple-document-handling",
                              printer.collateCopies() ? "separate-documents-collated-copies"
                                                      : "separate-documents-uncollated-copies",
                              count, &options);
    }
    switch (printer.duplex()) {
    case QPrinter::DuplexNone: count = cupsAddOption("sides", "one-sided", count, &options); break;
    case QPrinter::DuplexLongSide: count = cupsAddOption("sides", "two-sided-long-edge", count, &options); break;
    case QPrinter::DuplexShortSide: count = cupsAddOption("sides", "two-sided-short-edge", count, &options); break;
    case QPrinter::DuplexAuto: break;
    }
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(pdf).constData(), title.toUtf8().constData(), count,
                                  options);
    cupsFreeOptions(count, options);
    if (job > 0)
        return job;
    QString reason = QString::fromUtf8(cupsLastErrorString()).trimmed();
    if (reason.isEmpty())
        reason = QStringLiteral("no answer from the print service.");
    const QString state = queueStateMessage(queue);
    if (!state.isEmpty() && !reason.contains(state))
        reason += QStringLiteral(" (%1)").arg(state);
    return core::fail<int>(reason);
}

std::unique_ptr<QPrinter> SystemPrinters::choosePrinter(QWidget *parent)
{
    auto printer = defaultPrinter();
    if (!printer)
        return nullptr;
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

QString PrinterLabel(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return QDir::toNativeSeparators(printer.outputFileName());
    return printer.printerName();
}

namespace {

// Draws the document on one device; the cause of a failure, empty when drawn.
QString drawOn(QPrinter &device, const std::function<void(PaintTarget &)> &draw)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        if (device.outputFileName().isEmpty())
            return QStringLiteral("the printer cannot start the document.");
        return QStringLiteral("the file cannot be written (%1).")
            .arg(QFileInfo(QFileInfo(device.outputFileName()).path()).isWritable()
                     ? QStringLiteral("the file is in use or read-only")
                     : QStringLiteral("the folder does not exist or is not writable"));
    }
    const QRectF area(QPointF(0, 0), device.pageLayout().paintRectPixels(device.resolution()).size());
    bool pageFailed = false;
    PainterTarget target(painter, area, [&] {
        pageFailed = !device.newPage();
        return !pageFailed;
    });
    const double twipsPerDot = 1440.0 / device.resolution();
    target.setScale(QRectF(0, 0, area.width() * twipsPerDot, area.height() * twipsPerDot));
    draw(target);
    const bool ended = painter.end();
    if (!ended || pageFailed || device.printerState() == QPrinter::Error || device.printerState() == QPrinter::Aborted)
        return QStringLiteral("the printer reported an error.");
    return QString();
}

} // namespace

bool PrintDocument(Printers &printers, QPrinter &printer, const QString &title, UserDialogs &dialogs, QWidget *parent,
                   const std::function<void(PaintTarget &)> &draw)
{
    const QString jobTitle = title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
    printer.setDocName(jobTitle);
    if (!printer.outputFileName().isEmpty()) {
        // A file chosen in the setup dialog: no queue takes part.
        const QString cause = drawOn(printer, draw);
        if (!cause.isEmpty())
            report(dialogs, parent, printer, cause);
        return cause.isEmpty();
    }
    if (!printer.isValid()) {
        report(dialogs, parent, printer, QStringLiteral("the printer is not available."));
        return false;
    }
    // The page is drawn to a file of its own and handed over from there:
    // the printer's device would not tell whether the queue took the job.
    QTemporaryDir folder;
    QPrinter document(QPrinter::HighResolution);
    document.setOutputFormat(QPrinter::PdfFormat);
    document.setOutputFileName(folder.filePath(QStringLiteral("job.pdf")));
    document.setPageLayout(printer.pageLayout());
    document.setResolution(printer.resolution());
    document.setColorMode(printer.colorMode());
    document.setDocName(jobTitle);
    if (!folder.isValid()) {
        report(dialogs, parent, printer, QStringLiteral("no temporary file for the job (%1).").arg(folder.errorString()));
        return false;
    }
    if (const QString cause = drawOn(document, draw); !cause.isEmpty()) {
        report(dialogs, parent, printer, cause);
        return false;
    }
    const core::Result<int> job = printers.submit(printer, document.outputFileName(), jobTitle);
    if (!job) {
        report(dialogs, parent, printer, QStringLiteral("the print service did not take the job: %1").arg(job.error()));
        return false;
    }
    return true;
}

} // namespace print
