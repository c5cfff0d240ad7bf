#include "editor/CellRules.h"
#include "editor/GridColumns.h"
#include "heron/HeronFamily.h"

#include <QtTest>

using cellrules::Verdict;
Q_DECLARE_METATYPE(Verdict)

class TstCellRules : public QObject {
    Q_OBJECT
private slots:
    void cellForm_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("editor");
        QTest::newRow("one digit") << "4" << "004.00000" << "4.00000";
        QTest::newRow("two digits") << "46" << "046.00000" << "46.00000";
        QTest::newRow("point still open") << "462." << "462.00000" << "462.00000";
        QTest::newRow("decimals") << "462.5" << "462.50000" << "462.50000";
        QTest::newRow("sixth decimal rounds down") << "462.562501" << "462.56250" << "462.56250";
        QTest::newRow("sixth decimal 5 rounds up") << "462.562505" << "462.56251" << "462.56251";
        QTest::newRow("carry into integer") << "999.999995" << "1000.00000" << "1000.00000";
        QTest::newRow("four integer digits kept") << "1234" << "1234.00000" << "1234.00000";
        QTest::newRow("cell form back to editor") << "046.00000" << "046.00000" << "46.00000";
        QTest::newRow("below one") << "0.5" << "000.50000" << ".50000";
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("OFF unchanged") << "OFF" << "OFF" << "OFF";
    }
    void cellForm()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        QFETCH(QString, editor);
        QCOMPARE(cellrules::FormatCell(typed), cell);
        QCOMPARE(cellrules::FormatEditor(typed), editor);
    }

    void numeric_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("digits") << "462" << true;
        QTest::newRow("trailing point") << "462." << true;
        QTest::newRow("leading point") << ".5" << true;
        QTest::newRow("point alone") << "." << false;
        QTest::newRow("letters") << "abc" << false;
        QTest::newRow("digit then letter") << "4a" << false;
        QTest::newRow("two points") << "4.6.2" << false;
        QTest::newRow("exponent") << "4e" << false;
        QTest::newRow("blanks around") << " 46 " << true;
        QTest::newRow("empty") << "" << false;
    }
    void numeric()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QCOMPARE(cellrules::IsNumeric(text), numeric);
    }

    void check_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("band");
        QTest::addColumn<Verdict>("verdict");
        const QString band = QStringLiteral("400MHz---470MHz");
        QTest::newRow("inside") << "462.56250" << band << Verdict::Valid;
        QTest::newRow("lower limit") << "400.00000" << band << Verdict::Valid;
        QTest::newRow("only whole MHz compared") << "470.99375" << band << Verdict::Valid;
        QTest::newRow("below") << "399.99375" << band << Verdict::OutOfRange;
        QTest::newRow("above") << "471.00000" << band << Verdict::OutOfRange;
        QTest::newRow("four integer digits") << "1234.00000" << band << Verdict::OutOfRange;
        QTest::newRow("leading zero makes four digits") << "0462.50000" << band << Verdict::OutOfRange;
        QTest::newRow("negative") << "-462.50000" << band << Verdict::OutOfRange;
        QTest::newRow("6.25 kHz raster") << "462.55625" << band << Verdict::Valid;
        QTest::newRow("5 kHz raster") << "462.55500" << band << Verdict::Valid;
        QTest::newRow("off both rasters") << "462.55300" << band << Verdict::OffStep;
        QTest::newRow("OFF") << "OFF" << band << Verdict::NotNumeric;
        QTest::newRow("empty band label") << "462.56250" << "" << Verdict::NotNumeric;
        QTest::newRow("band label without numbers") << "462.56250" << "Band unknown..." << Verdict::NotNumeric;
        QTest::newRow("other band") << "146.00000" << "136MHz---174MHz" << Verdict::Valid;
    }
    void check()
    {
        QFETCH(QString, text);
        QFETCH(QString, band);
        QFETCH(Verdict, verdict);
        QCOMPARE(cellrules::CheckFrequency(text, band), verdict);
    }

    void columnWidths()
    {
        QCOMPARE(ColumnWidths(7000, HeronGrid()), (QList<int>{778, 1000, 1000, 1000, 1000, 700, 700, 700}));
    }
};

QTEST_APPLESS_MAIN(TstCellRules)
#include "tst_cellrules.moc"
