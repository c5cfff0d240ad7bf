#pragma once

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
};

// The printers of the system (CUPS): the default queue, QPrintDialog for setup.
class SystemPrinters : public Printers {
public:
    bool hasPrinter() override;
    QSizeF pageSizeTwips() override;
    std::unique_ptr<QPrinter> defaultPrinter() override;
    std::unique_ptr<QPrinter> choosePrinter(QWidget *parent) override;
};

inline const QString kNoPrinterText = QStringLiteral("No printer is set up. Add a printer in the system's printer settings.");

// Draws one print document on the printer. The target's scale covers the
// printable area in the printer's twips. A failure is shown in a message
// box that names the printer and the cause; returns whether it printed.
bool PrintDocument(QPrinter &printer, UserDialogs &dialogs, QWidget *parent,
                   const std::function<void(PaintTarget &)> &draw);

// A printer's name as the user knows it: the queue, or the PDF file.
QString PrinterLabel(const QPrinter &printer);

} // namespace print
