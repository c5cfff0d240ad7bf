#include "Printers.h"
#include "engine/PaintTarget.h"
#include "engine/PrintScript.h"

#include "common/UserDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

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

bool PrintDocument(QPrinter &printer, UserDialogs &dialogs, QWidget *parent, const std::function<void(PaintTarget &)> &draw)
{
    const bool toFile = !printer.outputFileName().isEmpty();
    if (!toFile && !printer.isValid()) {
        report(dialogs, parent, printer, QStringLiteral("the printer is not available."));
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        report(dialogs, parent, printer,
               toFile ? QStringLiteral("the file cannot be written (%1).").arg(
                            QFileInfo(QFileInfo(printer.outputFileName()).path()).isWritable()
                                ? QStringLiteral("the file is in use or read-only")
                                : QStringLiteral("the folder does not exist or is not writable"))
                      : QStringLiteral("the printer cannot start the document."));
        return false;
    }
    const QRectF area(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    bool pageFailed = false;
    PainterTarget target(painter, area, [&] {
        pageFailed = !printer.newPage();
        return !pageFailed;
    });
    const double twipsPerDot = 1440.0 / printer.resolution();
    target.setScale(QRectF(0, 0, area.width() * twipsPerDot, area.height() * twipsPerDot));
    draw(target);
    const bool ended = painter.end();
    if (!ended || pageFailed || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
        report(dialogs, parent, printer, QStringLiteral("the printer reported an error."));
        return false;
    }
    return true;
}

} // namespace print
