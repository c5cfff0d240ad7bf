#include "DataPage.h"

namespace print {

namespace {

const QString kPageFont = QStringLiteral("宋体");
constexpr float kRowStep = 0.6f;

} // namespace

double PageRatio(const QSizeF &pictureInches, const QSizeF &pageInches)
{
    if (pageInches.width() <= 0 || pageInches.height() <= 0)
        return 0;
    const double byHeight = pictureInches.height() / pageInches.height();
    const double byWidth = pictureInches.width() / pageInches.width();
    return byHeight < byWidth ? byHeight : byWidth;
}

double FirstPageRowY(int row) { return double(7.0f + kRowStep * float(row)); }
double ContinuationRowY(int row, int first) { return double(1.3f + kRowStep * float(row - first + 1)); }

void DrawDataPage(PaintTarget &target, const DataPageLayout &layout, const DataPageData &data, double ratio, bool isPrinter)
{
    const QRectF pageScale(0, 0, kPageScaleWidth, kPageScaleHeight);
    target.setScale(pageScale);

    target.drawText({2.3, 1.3}, QStringLiteral("The Page of Data-setting"), {kPageFont, 30 * ratio, true});
    target.drawText({2.3, 2}, QStringLiteral("一、The Part of Function Setting"), {kPageFont, 28 * ratio, true});
    const PrintFont settingFont{kPageFont, 25 * ratio, false};
    for (int i = 0; i < layout.settings.size(); ++i) {
        const PageSetting &s = layout.settings.at(i);
        target.drawText(s.at, s.label + data.texts.value(i), settingFont);
    }
    target.drawText({2.3, 6}, QStringLiteral("二、The Part of Channel Information"), {kPageFont, 28 * ratio, true});

    const PrintFont cellFont{kPageFont, 22 * ratio, false};
    const PrintGrid &grid = data.grid;
    const auto columnX = [&](int c) { return layout.columnX ? layout.columnX(c, target.scale().width()) : 0.0; };
    const float pageBottom = float(kPageScaleHeight);
    bool continued = false; // a continuation page has been started
    int first = 0;          // the row that began the current continuation page
    for (int r = 0; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.cols(); ++c) {
            double y = FirstPageRowY(r);
            if (isPrinter && float(y) > pageBottom) {
                if (!continued || float(ContinuationRowY(r, first)) > pageBottom - 1) {
                    first = r;
                    if (!target.newPage())
                        return;
                    continued = true;
                    target.setScale(pageScale);
                    for (int t = 0; t < grid.cols(); ++t)
                        target.drawText({columnX(t), 1.3}, grid.cell(0, t), cellFont);
                }
                y = ContinuationRowY(r, first);
            }
            target.drawText({columnX(c), y}, grid.cell(r, c), cellFont);
        }
    }
}

} // namespace print
