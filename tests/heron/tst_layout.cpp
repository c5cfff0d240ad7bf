#include "editor/ProportionalLayout.h"

#include <QLabel>
#include <QtTest>

class TstLayout : public QObject {
    Q_OBJECT
private slots:
    void fontRule_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("scaled");
        QTest::newRow("doubled") << 9.0 << 2.0 << 18.0;
        QTest::newRow("7.5 becomes 7") << 10.0 << 0.75 << 7.0;
        QTest::newRow("exactly 8 stays") << 10.0 << 0.8 << 8.0;
        QTest::newRow("exactly 7 stays") << 10.0 << 0.7 << 7.0;
        QTest::newRow("below 7 follows") << 10.0 << 0.5 << 5.0;
    }
    void fontRule()
    {
        QFETCH(double, size);
        QFETCH(double, ratio);
        QFETCH(double, scaled);
        QCOMPARE(ProportionalLayout::ScaleFont(size, ratio), scaled);
    }

    void parkedControlStaysParked()
    {
        // (current + offset) * xr - offset, with 75000 twips as the offset.
        QCOMPARE(ProportionalLayout::ScaleLeft(-74000, -74000, 2.0, 75000), 1000 * 2.0 - 75000);
        QCOMPARE(ProportionalLayout::ScaleLeft(0, -74000, 2.0, 75000), 2000.0);
        QCOMPARE(ProportionalLayout::ScaleLeft(10, 100, 1.5, 75000), 150.0);
    }

    void doublingTheWindowDoublesEveryControl()
    {
        QWidget window;
        window.resize(400, 300);
        auto *label = new QLabel("x", &window);
        label->setObjectName("label");
        label->setGeometry(10, 20, 100, 30);
        QFont f = label->font();
        f.setPointSizeF(9);
        label->setFont(f);
        ProportionalLayout layout;
        layout.record(&window);
        layout.apply(QSize(800, 450)); // x doubles, y by 1.5: fonts follow the smaller
        QCOMPARE(label->geometry(), QRect(20, 30, 200, 45));
        QCOMPARE(label->font().pointSizeF(), 13.5);
        layout.apply(QSize(400, 300));
        QCOMPARE(label->geometry(), QRect(10, 20, 100, 30));
        QCOMPARE(label->font().pointSizeF(), 9.0);
    }
};

QTEST_MAIN(TstLayout)
#include "tst_layout.moc"
