#include "FakeUserDialogs.h"
#include "common/frmMODE.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

enum class Close { SaveAndExit, CloseBox, Esc };

// What the main window owns and hands to the editor.
struct Fixture {
    FakeUserDialogs dialogs;
    core::BandTexts texts{"400MHz---470MHz", "136MHz---174MHz", "350MHz---390MHz", "", "200MHz---250MHz",
                          "420MHz---430MHz"};
    core::BandOptions options;
};

template <class T>
T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(name);
    if (!c)
        qFatal("no control %s", name);
    return c;
}

void clickNode(frmMODE &dlg, const QString &text)
{
    auto *tree = child<QTreeWidget>(dlg, "tremode");
    const auto items = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(items.size(), 1);
    const QRect r = tree->visualItemRect(items.first());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
}

void closeEditor(frmMODE &dlg, Close how)
{
    switch (how) {
    case Close::SaveAndExit: clickNode(dlg, "Save and Exit"); break;
    case Close::CloseBox: dlg.close(); break;
    case Close::Esc: QTest::keyClick(&dlg, Qt::Key_Escape); break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Close)

class TestBandEditor : public QObject {
    Q_OBJECT
private slots:
    void saveRules_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<Close>("how");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("refused");

        const QString pl1 = "400MHz---470MHz";
        QTest::newRow("Save and Exit saves") << 0 << "410" << "480" << Close::SaveAndExit << "410MHz---480MHz" << false;
        QTest::newRow("close box saves") << 0 << "410" << "480" << Close::CloseBox << "410MHz---480MHz" << false;
        QTest::newRow("Esc saves") << 0 << "410" << "480" << Close::Esc << "410MHz---480MHz" << false;
        QTest::newRow("equal limits") << 1 << "150" << "150" << Close::CloseBox << "150MHz---150MHz" << false;
        QTest::newRow("model index 4 is pl5") << 4 << "136" << "174" << Close::SaveAndExit << "136MHz---174MHz"
                                              << false;
        QTest::newRow("empty low keeps old") << 0 << "" << "480" << Close::SaveAndExit << pl1 << false;
        QTest::newRow("empty high keeps old") << 0 << "410" << "" << Close::CloseBox << pl1 << false;
        QTest::newRow("four digits") << 0 << "400" << "1000" << Close::SaveAndExit << pl1 << true;
        QTest::newRow("two digits") << 0 << "50" << "470" << Close::CloseBox << pl1 << true;
        QTest::newRow("decimal") << 0 << "400" << "470.5" << Close::Esc << pl1 << true;
        QTest::newRow("signed") << 0 << "+40" << "470" << Close::CloseBox << pl1 << true;
        QTest::newRow("low above high") << 0 << "480" << "410" << Close::SaveAndExit << pl1 << true;
    }
    void saveRules()
    {
        QFETCH(int, model);
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(Close, how);
        QFETCH(QString, expected);
        QFETCH(bool, refused);

        Fixture f;
        const core::BandTexts before = f.texts;
        frmMODE dlg(f.dialogs, f.texts, f.options, 0, "400MHz---470MHz");
        dlg.show();
        child<QComboBox>(dlg, "cboPCmodel0")->setCurrentIndex(model);
        child<QLineEdit>(dlg, "Text2")->setText(low);
        child<QLineEdit>(dlg, "Text1")->setText(high);
        closeEditor(dlg, how);

        QVERIFY(!dlg.isVisible());
        core::BandTexts wanted = before;
        *wanted.byPosition(model) = expected;
        for (int k = 0; k < 6; ++k)
            QCOMPARE(*f.texts.byPosition(k), *wanted.byPosition(k));
        QCOMPARE(f.dialogs.shown.size(), refused ? 1 : 0);
        if (refused) {
            QVERIFY(f.dialogs.shown.first().text.startsWith("The band was not saved"));
            QCOMPARE(f.dialogs.shown.first().icon, UserDialogs::Icon::Warning);
        }
    }

    void loading_data()
    {
        QTest::addColumn<int>("sPower");
        QTest::addColumn<int>("variant");
        QTest::addColumn<bool>("crystal14");
        QTest::addColumn<bool>("negative");
        QTest::addColumn<int>("powerIndex");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");

        QTest::newRow("defaults") << 5 << 0 << false << false << 5 << "400" << "470";
        QTest::newRow("both set, (V)") << 0 << 1 << true << true << 0 << "136" << "174";
        QTest::newRow("crystal only, top power") << 10 << 0 << true << false << 10 << "400" << "470";
        QTest::newRow("neither") << 3 << 0 << false << false << 3 << "400" << "470";
        QTest::newRow("empty band text") << 5 << 3 << false << true << 5 << "" << "";
        QTest::newRow("power out of range") << 11 << 0 << false << false << -1 << "400" << "470";
    }
    void loading()
    {
        QFETCH(int, sPower);
        QFETCH(int, variant);
        QFETCH(bool, crystal14);
        QFETCH(bool, negative);
        QFETCH(int, powerIndex);
        QFETCH(QString, low);
        QFETCH(QString, high);

        Fixture f;
        f.options.crystal14MHz = crystal14;
        f.options.ifNegative = negative;
        f.options.sPower = sPower;
        frmMODE dlg(f.dialogs, f.texts, f.options, variant, "136MHz---174MHz");

        QCOMPARE(dlg.windowTitle(), QString("Test  Mode"));
        QCOMPARE(child<QRadioButton>(dlg, "optJT1")->isChecked(), crystal14);
        QCOMPARE(child<QRadioButton>(dlg, "optJT0")->isChecked(), !crystal14);
        QCOMPARE(child<QRadioButton>(dlg, "Option1_1")->isChecked(), negative);
        QCOMPARE(child<QRadioButton>(dlg, "Option1_0")->isChecked(), !negative);
        QCOMPARE(child<QComboBox>(dlg, "cboFrequent")->currentIndex(), powerIndex);
        QCOMPARE(child<QComboBox>(dlg, "cboPCmodel0")->currentIndex(), variant);
        QCOMPARE(child<QComboBox>(dlg, "cboPCmodel1")->currentIndex(), variant);
        QCOMPARE(child<QLineEdit>(dlg, "Text2")->text(), low);
        QCOMPARE(child<QLineEdit>(dlg, "Text1")->text(), high);
        QCOMPARE(child<QLabel>(dlg, "freQuent")->text(), QString("136MHz---174MHz"));
        QVERIFY(f.dialogs.shown.isEmpty());

        // Closing untouched changes nothing.
        const core::BandOptions loaded = f.options;
        dlg.show();
        dlg.close();
        QCOMPARE(f.options.sPower, loaded.sPower);
        QCOMPARE(f.options, loaded);
    }

    void optionsAndPowerSaved()
    {
        Fixture f;
        frmMODE dlg(f.dialogs, f.texts, f.options, 0, "");
        dlg.show();
        child<QRadioButton>(dlg, "optJT1")->click();
        child<QRadioButton>(dlg, "Option1_1")->click();
        clickNode(dlg, "Modify Power");
        child<QComboBox>(dlg, "cboFrequent")->setCurrentIndex(2);
        clickNode(dlg, "Save and Exit");

        QVERIFY(f.options.crystal14MHz);
        QVERIFY(f.options.ifNegative);
        QCOMPARE(f.options.sPower, 2);
    }

    void pages()
    {
        Fixture f;
        frmMODE dlg(f.dialogs, f.texts, f.options, 0, "");
        dlg.show();
        const QStringList frequency{"cboPCmodel0", "Text1", "Text2", "UpDown1", "optJT0", "Option1_0", "Frame1"};
        const QStringList power{"cboPCmodel1", "freQuent", "Label5", "Label6", "cboFrequent"};
        const auto check = [&](bool frequencyPage) {
            for (const QString &n : frequency)
                QVERIFY2(dlg.findChild<QWidget *>(n)->isVisible() == frequencyPage, qPrintable(n));
            for (const QString &n : power)
                QVERIFY2(dlg.findChild<QWidget *>(n)->isVisible() != frequencyPage, qPrintable(n));
            QVERIFY(dlg.findChild<QWidget *>("lblRadiomodel")->isVisible());
        };
        check(true);
        clickNode(dlg, "Modify Power");
        check(false);
        clickNode(dlg, "Modify item");
        check(false);
        clickNode(dlg, "Modify Frequency");
        check(true);
        QVERIFY(dlg.isVisible());
    }

    // Keys typed into the high limit, which starts as "470"; '\b' is Backspace.
    void numbersOnly_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("left");

        QTest::newRow("digit") << "5" << 0 << "4705";
        QTest::newRow("letter empties the box") << "x" << 1 << "";
        QTest::newRow("emptied by Backspace") << "\b\b\b" << 1 << "";
        QTest::newRow("decimal point is a number") << "." << 0 << "470.";
    }
    void numbersOnly()
    {
        QFETCH(QString, keys);
        QFETCH(int, messages);
        QFETCH(QString, left);

        Fixture f;
        frmMODE dlg(f.dialogs, f.texts, f.options, 0, "");
        dlg.show();
        auto *high = child<QLineEdit>(dlg, "Text1");
        high->setFocus();
        high->end(false);
        for (QChar c : keys) {
            if (c == '\b')
                QTest::keyClick(high, Qt::Key_Backspace);
            else
                QTest::keyClicks(high, QString(c));
        }
        QCOMPARE(high->text(), left);
        QCOMPARE(f.dialogs.shown.size(), messages);
        for (const auto &m : f.dialogs.shown) {
            QCOMPARE(m.text, QString("请输入数字"));
            QCOMPARE(m.title, QString());
            QCOMPARE(m.icon, UserDialogs::Icon::None);
            QCOMPARE(m.buttons, UserDialogs::Buttons::Ok);
        }
        if (left.isEmpty()) {
            dlg.close();
            QCOMPARE(f.texts.PL1, QString("400MHz---470MHz"));
            QCOMPARE(f.dialogs.shown.size(), messages);
        }
    }

    void spinnersStepByOne()
    {
        Fixture f;
        frmMODE dlg(f.dialogs, f.texts, f.options, 0, "");
        dlg.show();
        const auto arrows = child<QWidget>(dlg, "UpDown1")->findChildren<QAbstractButton *>();
        QCOMPARE(arrows.size(), 2);
        arrows[0]->click();
        QCOMPARE(child<QLineEdit>(dlg, "Text1")->text(), QString("471"));
        arrows[1]->click();
        arrows[1]->click();
        dlg.close();
        QCOMPARE(f.texts.PL1, QString("400MHz---469MHz"));
    }

    // Osprey's editor: six positions with their own band keys, and a hook
    // that only "Save and Exit" runs.
    void bandSlotsAndSaveHook_data()
    {
        QTest::addColumn<Close>("how");
        QTest::addColumn<QString>("high");
        QTest::addColumn<bool>("hooked");
        QTest::newRow("Save and Exit") << Close::SaveAndExit << "439" << true;
        QTest::newRow("close box") << Close::CloseBox << "439" << false;
        QTest::newRow("refused") << Close::SaveAndExit << "4390" << false;
    }
    void bandSlotsAndSaveHook()
    {
        QFETCH(Close, how);
        QFETCH(QString, high);
        QFETCH(bool, hooked);

        Fixture f;
        BandEditorLists lists;
        lists.frequencyPage = lists.powerPage = {"A1", "A2", "A3", "A4", "B1", "B2"};
        lists.bandSlots = {0, 1, 2, 5, 3, 4};
        frmMODE dlg(f.dialogs, f.texts, f.options, 3, "", lists);
        QList<QPair<int, QString>> saved;
        dlg.onSaveAndExit = [&](int slot, const QString &text) { saved.append({slot, text}); };
        dlg.show();
        QCOMPARE(child<QLineEdit>(dlg, "Text2")->text(), QString("420"));
        QCOMPARE(child<QLineEdit>(dlg, "Text1")->text(), QString("430"));
        child<QLineEdit>(dlg, "Text1")->setText(high);
        closeEditor(dlg, how);

        const bool accepted = high.size() == 3;
        QCOMPARE(f.texts.pl6, accepted ? QString("420MHz---" + high + "MHz") : QString("420MHz---430MHz"));
        QCOMPARE(f.texts.PL4, QString());
        QCOMPARE(saved.size(), hooked ? 1 : 0);
        if (hooked)
            QCOMPARE(saved.first(), qMakePair(5, QString("420MHz---439MHz")));
    }

    // Pelican's editor lists only the current model's variants and always
    // opens on the first, whatever variant the main window shows.
    void replacedModelLists()
    {
        Fixture f;
        frmMODE dlg(f.dialogs, f.texts, f.options, 1, "");
        dlg.setModelLists({"QZ510(U)", "QZ510(V)"}, {"QZ510(U)", "QZ510(V)"});
        for (const char *name : {"cboPCmodel0", "cboPCmodel1"}) {
            auto *list = child<QComboBox>(dlg, name);
            QCOMPARE(list->count(), 2);
            QCOMPARE(list->currentIndex(), 0);
        }
        QCOMPARE(child<QLineEdit>(dlg, "Text2")->text(), QString("400"));
        child<QComboBox>(dlg, "cboPCmodel0")->setCurrentIndex(1);
        QCOMPARE(child<QLineEdit>(dlg, "Text2")->text(), QString("136"));
    }
};

QTEST_MAIN(TestBandEditor)
#include "tst_bandeditor.moc"
