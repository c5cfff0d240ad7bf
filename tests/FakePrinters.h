#pragma once

#include "print/Printers.h"
#include "print/engine/PrintScript.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrintEngine>
#include <QPrinter>

// A queue that keeps its jobs as a PDF file stands in for the default
// printer; the setup dialog is answered without showing anything.
class FakePrinters : public print::Printers {
public:
    QString pdfPath;            // where the last job's document is kept
    QString queue = QStringLiteral("Office Laser");
    QString refusal;            // when set, every job is refused with this reason
    QStringList jobTitles;      // the jobs the queue took
    bool toFile = false;        // the setup dialog chose "print to file" (pdfPath)
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
        p->setPageSize(QPageSize(QPageSize::A4));
        p->printEngine()->setProperty(QPrintEngine::PPK_PrinterName, queue);
        if (toFile)
            p->setOutputFileName(pdfPath);
        return p;
    }
    std::unique_ptr<QPrinter> choosePrinter(QWidget *) override
    {
        ++setupShown;
        return acceptSetup ? defaultPrinter() : nullptr;
    }
    core::Result<int> submit(const QPrinter &, const QString &pdf, const QString &title) override
    {
        if (!refusal.isEmpty())
            return core::fail<int>(refusal);
        QFile::remove(pdfPath);
        if (!QFile::copy(pdf, pdfPath))
            return core::fail<int>(QStringLiteral("\"%1\" cannot be written.").arg(QDir::toNativeSeparators(pdfPath)));
        jobTitles << title;
        return int(jobTitles.size());
    }
};
