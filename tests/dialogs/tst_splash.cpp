#include "common/frmSplash.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void handsOverAfterOneSecond()
    {
        frmSplash splash;
        QCOMPARE(splash.size(), QSize(712, 392));
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QSignalSpy handOver(&splash, &frmSplash::showMainWindow);
        QElapsedTimer clock;
        clock.start();
        splash.show();
        QVERIFY(handOver.wait(3000));
        QVERIFY(clock.elapsed() >= 900);
        QVERIFY(!splash.isVisible());
        QTest::qWait(200);
        QCOMPARE(handOver.count(), 1);
    }

    void keyPressHandsOverAtOnce_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("letter") << int(Qt::Key_A);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void keyPressHandsOverAtOnce()
    {
        QFETCH(int, key);
        frmSplash splash;
        QSignalSpy handOver(&splash, &frmSplash::showMainWindow);
        splash.show();
        QTest::keyClick(&splash, Qt::Key(key));
        QCOMPARE(handOver.count(), 1);
        QVERIFY(!splash.isVisible());
        // The timer must not hand over a second time.
        QTest::qWait(frmSplash::kShowMs + 200);
        QCOMPARE(handOver.count(), 1);
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
