#pragma once

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

// Reads printed PDF files back with poppler's tools.
namespace testsupport {

inline QString runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int pdfPageCount(const QString &path)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {path});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of one page (from 1), or of every page with page 0.
inline QString pdfText(const QString &path, int page = 0)
{
    QStringList args{QStringLiteral("-layout")};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    args << path << QStringLiteral("-");
    return runTool(QStringLiteral("pdftotext"), args);
}

// A page drawn as a picture, for files whose text layer is lost on the way
// (a print queue that converts it).
inline QImage pdfPagePicture(const QString &path, int page, const QString &scratchStem)
{
    runTool(QStringLiteral("pdftoppm"), {"-r", "72", "-f", QString::number(page), "-l", QString::number(page), "-png",
                                         "-singlefile", path, scratchStem});
    return QImage(scratchStem + QStringLiteral(".png"));
}

inline int darkPixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) < 160;
    return n;
}

} // namespace testsupport
