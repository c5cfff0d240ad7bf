#pragma once

#include "print/Printers.h"
#include "print/engine/PrintScript.h"

#include <QPageSize>
#include <QPrinter>

// A PDF file stands in for the default printer; the setup dialog is
// answered without showing anything.
class FakePrinters : public print::Printers {
public:
    QString pdfPath;
    bool available = true;
    bool acceptSetup = true;
    QSizeF page{print::kA4WidthTwips, print::kA4HeightTwips};
    int setupShown = 0;

    bool hasPrinter() override { return available; }
    QSizeF pageSizeTwips() override { return available ? page : QSizeF(print::kA4WidthTwips, print::kA4HeightTwips); }
    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        if (!available)
            return nullptr;
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdfPath);
        p->setPageSize(QPageSize(QPageSize::A4));
        return p;
    }
    std::unique_ptr<QPrinter> choosePrinter(QWidget *) override
    {
        ++setupShown;
        return acceptSetup ? defaultPrinter() : nullptr;
    }
};
