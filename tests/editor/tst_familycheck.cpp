#include "editor/FamilyCheck.h"
#include "editor/StandardParts.h"
#include "heron/HeronFamily.h"
#include "osprey/OspreyFamily.h"
#include "pelican/PelicanFamily.h"

#include <QtTest>

namespace {

// A grouped scheme whose second group's grid is given by the test.
class TwoGroups : public ModelScheme {
public:
    explicit TwoGroups(GridDescription second) : m_second(std::move(second)) {}
    QStringList models() const override { return {"A", "B"}; }
    QString startGroup() const override { return "0"; }
    QString groupOf(int position) const override { return position == 0 ? "0" : "1"; }
    const GridDescription &grid(const QString &group) const override { return group == "1" ? m_second : HeronGrid(); }
    std::optional<ModelSlot> slot(const QString &, int position) const override
    {
        return ModelSlot{0x10, position};
    }

private:
    GridDescription m_second;
};

} // namespace

class TstFamilyCheck : public QObject {
    Q_OBJECT
private slots:
    void everyFamilyIsComplete_data()
    {
        QTest::addColumn<const Family *>("family");
        QTest::newRow("Heron") << &HeronFamily();
        QTest::newRow("Pelican") << &PelicanFamily();
        QTest::newRow("Osprey") << &OspreyFamily();
    }
    void everyFamilyIsComplete()
    {
        QFETCH(const Family *, family);
        QCOMPARE(CheckFamily(*family), QStringList());
    }

    // Each fault a description can carry is named.
    void faultsAreNamed_data()
    {
        QTest::addColumn<std::function<void(Family &)>>("breakIt");
        QTest::addColumn<QString>("fault");
        using Break = std::function<void(Family &)>;
        QTest::newRow("a list twice") << Break([](Family &f) { f.lists << f.lists.first(); }) << "appears twice";
        QTest::newRow("a list missing") << Break([](Family &f) { f.lists.removeAt(1); }) << "is missing";
        QTest::newRow("a start outside the items")
            << Break([](Family &f) { f.defaults.squelch = 10; }) << "list cboFuncSQL starts outside its items";
        QTest::newRow("a list for a group no model has") << Break([](Family &f) {
            f.lists.first().enabledInGroups = {"1"};
        }) << "names group \"1\"";
        QTest::newRow("a data page item with a script page")
            << Break([](Family &f) { f.print.scriptPage = [](print::ScriptWriter &, const ScriptPageSource &) {}; })
            << "a script page beside";
        QTest::newRow("one print item without a script")
            << Break([](Family &f) { f.print = FamilyPrint::script({}); }) << "no script page";
        QTest::newRow("a page setting the window lacks") << Break([](Family &f) {
            f.print.dataPage.settings.last().source = "cboTSY";
        }) << "prints cboTSY";
        QTest::newRow("a band never read") << Break([](Family &f) { f.window.bandTextsRead = 1; })
                                           << "uses a band text never read";
        QTest::newRow("a toolbar without Print") << Break([](Family &f) { f.window.toolbar.removeAt(3); })
                                                 << "no Print";
        QTest::newRow("a row default outside the items") << Break([](Family &f) {
            GridDescription g = HeronGrid();
            g.columns.last().rowDefault = RowDefault::fixed("Max");
            f.models = std::make_shared<TwoGroups>(g);
        }) << "group \"1\", column 7 (TX Power): its row default";
        QTest::newRow("two RX columns") << Break([](Family &f) {
            GridDescription g = HeronGrid();
            g.columns[2] = FrequencyColumn(CellEditor::RxFrequency, ColumnAlignment::Own);
            f.models = std::make_shared<TwoGroups>(g);
        }) << "one RX and one TX";
        QTest::newRow("a tone column without tones") << Break([](Family &f) {
            GridDescription g = HeronGrid();
            g.toneItems.clear();
            f.models = std::make_shared<TwoGroups>(g);
        }) << "a tone column without tones";
    }
    void faultsAreNamed()
    {
        QFETCH(std::function<void(Family &)>, breakIt);
        QFETCH(QString, fault);
        Family family = HeronFamily();
        breakIt(family);
        const QStringList faults = CheckFamily(family);
        QVERIFY2(faults.join('\n').contains(fault), qPrintable(faults.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TstFamilyCheck)
#include "tst_familycheck.moc"
