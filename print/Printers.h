#pragma once

#include "core/Result.h"

#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;
class UserDialogs;

namespace print {

class PaintTarget;

// The system's printers, behind an interface so that tests print to a PDF file.
class Printers {
public:
    virtual ~Printers() = default;

    virtual bool hasPrinter() = 0;
    // The default printer's paper in twips; A4 when no printer is set up.
    virtual QSizeF pageSizeTwips() = 0;
    // The default printer; null when none is set up.
    virtual std::unique_ptr<QPrinter> defaultPrinter() = 0;
    // The printer setup dialog on the default printer; null when cancelled.
    virtual std::unique_ptr<QPrinter> choosePrinter(QWidget *parent) = 0;
    // Hands a document, drawn as the PDF file pdf, to the printer's queue as
    // one job under title: the job's number, or the service's reason for
    // refusing it.
    virtual core::Result<int> submit(const QPrinter &printer, const QString &pdf, const QString &title) = 0;
};

// The printers of the system (CUPS): the default queue, QPrintDialog for setup.
class SystemPrinters : public Printers {
public:
    bool hasPrinter() override;
    QSizeF pageSizeTwips() override;
    std::unique_ptr<QPrinter> defaultPrinter() override;
    std::unique_ptr<QPrinter> choosePrinter(QWidget *parent) override;
    core::Result<int> submit(const QPrinter &printer, const QString &pdf, const QString &title) override;
};

inline const QString kNoPrinterText = QStringLiteral("No printer is set up. Add a printer in the system's printer settings.");

// Draws one print document for the printer and hands it to the printer's
// queue under title, or writes it to the printer's file. The target's scale
// covers the printable area in the printer's twips. A failure, the queue's
// refusal included, is shown in a message box that names the printer and the
// cause; returns whether the job was taken.
bool PrintDocument(Printers &printers, QPrinter &printer, const QString &title, UserDialogs &dialogs, QWidget *parent,
                   const std::function<void(PaintTarget &)> &draw);

// A printer's name as the user knows it: the queue, or the PDF file.
QString PrinterLabel(const QPrinter &printer);

} // namespace print
