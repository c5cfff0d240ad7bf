#include "FakeUserDialogs.h"
#include "common/frmLogin.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestLogin : public QObject {
    Q_OBJECT

    // Types each attempt over what the box holds (a wrong try leaves its text
    // selected, so typing replaces it) and presses Enter.
    static void attempt(frmLogin &dlg, const QString &typed)
    {
        auto *box = dlg.findChild<QLineEdit *>("txtPassword");
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
    }

private slots:
    void attempts_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("succeeded");
        QTest::addColumn<bool>("stillOpen");

        QTest::newRow("right at once") << QStringList{"4815093"} << true << false;
        QTest::newRow("two wrong, then right") << QStringList{"1234567", "481509", "4815093"} << true << false;
        QTest::newRow("three wrong close") << QStringList{"1", "2", "3"} << false << false;
        QTest::newRow("trailing blank is wrong") << QStringList{"4815093 "} << false << true;
        QTest::newRow("leading blank is wrong") << QStringList{" 4815093"} << false << true;
        QTest::newRow("empty is wrong") << QStringList{""} << false << true;
    }
    void attempts()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, succeeded);
        QFETCH(bool, stillOpen);

        FakeUserDialogs dialogs;
        frmLogin dlg(dialogs);
        dlg.show();
        for (const QString &t : typed)
            attempt(dlg, t);

        QCOMPARE(dlg.LoginSucceeded, succeeded);
        QCOMPARE(dlg.isVisible(), stillOpen);
        const qsizetype wrong = typed.size() - (succeeded ? 1 : 0);
        QCOMPARE(dialogs.shown.size(), wrong);
        for (const auto &m : dialogs.shown) {
            QCOMPARE(m.text, QString("Wrong PassWord!Please try again"));
            QCOMPARE(m.title, QString("Error"));
            QCOMPARE(m.icon, UserDialogs::Icon::Critical);
            QCOMPARE(m.buttons, UserDialogs::Buttons::Ok);
        }
    }

    void wrongTryLeavesTextSelected()
    {
        FakeUserDialogs dialogs;
        frmLogin dlg(dialogs);
        dlg.show();
        attempt(dlg, "999");
        QCOMPARE(dlg.findChild<QLineEdit *>("txtPassword")->selectedText(), QString("999"));
    }

    // Each way of leaving without the right password, after an earlier
    // success with the same window in the same run.
    void failureAfterSuccess_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("three wrong") << "wrong";
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("close box") << "close";
    }
    void failureAfterSuccess()
    {
        QFETCH(QString, how);
        FakeUserDialogs dialogs;
        frmLogin dlg(dialogs);
        dlg.show();
        attempt(dlg, "4815093");
        QVERIFY(dlg.LoginSucceeded);

        dlg.show();
        QVERIFY(dlg.findChild<QLineEdit *>("txtPassword")->text().isEmpty());
        if (how == "wrong") {
            for (int i = 0; i < frmLogin::kAttempts; ++i)
                attempt(dlg, "0000000");
        } else if (how == "cancel") {
            dlg.findChild<QPushButton *>("cmdCancel")->click();
        } else if (how == "esc") {
            QTest::keyClick(&dlg, Qt::Key_Escape);
        } else {
            dlg.close();
        }
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.LoginSucceeded);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    void counterStartsAgainAtEachShowing()
    {
        FakeUserDialogs dialogs;
        frmLogin dlg(dialogs);
        dlg.show();
        attempt(dlg, "1");
        attempt(dlg, "2");
        dlg.findChild<QPushButton *>("cmdCancel")->click();

        dlg.show();
        attempt(dlg, "1");
        attempt(dlg, "2");
        QVERIFY(dlg.isVisible());
        attempt(dlg, "4815093");
        QVERIFY(dlg.LoginSucceeded);
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
