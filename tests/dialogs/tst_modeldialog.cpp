#include "FakeUserDialogs.h"
#include "common/frmJXXZ.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QStringList kModels{"QZ70", "QZ236"};

QComboBox *list(frmJXXZ &dlg)
{
    return dlg.findChild<QComboBox *>("cmbJX");
}

void type(frmJXXZ &dlg, const QString &text)
{
    QLineEdit *field = list(dlg)->lineEdit();
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

class TestModelDialog : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<int>("pick");      // list position to choose, or -1
        QTest::addColumn<QString>("typed"); // typed over the field afterwards, unless empty
        QTest::addColumn<QString>("strjx");
        QTest::addColumn<int>("position"); // -1: refused, the dialog stays open

        QTest::newRow("OK untouched") << -1 << "" << "QZ70" << 0;
        QTest::newRow("second item") << 1 << "" << "QZ236" << 1;
        QTest::newRow("typed name") << -1 << "QZ999" << "before" << -1;
        QTest::newRow("typed over a choice") << 1 << "qz236" << "before" << -1;
        QTest::newRow("typed item name") << -1 << "QZ236" << "QZ236" << 1;
        QTest::newRow("typed start of an item") << -1 << "QZ2" << "before" << -1;
        QTest::newRow("typed start in lower case") << -1 << "qz7" << "before" << -1;
    }
    void answers()
    {
        QFETCH(int, pick);
        QFETCH(QString, typed);
        QFETCH(QString, strjx);
        QFETCH(int, position);

        QString answer = "before";
        FakeUserDialogs dialogs;
        frmJXXZ dlg(dialogs, kModels, answer);
        dlg.show();
        QCOMPARE(list(dlg)->currentText(), QString("QZ70"));
        if (pick >= 0)
            list(dlg)->setCurrentIndex(pick);
        if (typed.isEmpty()) {
            dlg.findChild<QPushButton *>("cmdOK")->click();
        } else {
            type(dlg, typed);
            QTest::keyClick(list(dlg)->lineEdit(), Qt::Key_Return); // OK is the default button
        }

        QCOMPARE(dlg.isVisible(), position < 0);
        QCOMPARE(dlg.result(), int(position < 0 ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(answer, strjx);
        QCOMPARE(dlg.chosenPosition(), position);
        QCOMPARE(dlg.itemChosen(), position >= 0);
        QCOMPARE(list(dlg)->count(), kModels.size()); // a typed name is not added
        QCOMPARE(dialogs.shown.size(), position < 0 ? 1 : 0);
    }

    // With the focus in the field, as the user types: the name is neither
    // completed to an item nor taken; the question stays open.
    void typedNameOutsideTheListIsRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("start of an item") << "QZ2";
        QTest::newRow("start of the first item") << "QZ";
        QTest::newRow("lower case start") << "qz23";
    }
    void typedNameOutsideTheListIsRefused()
    {
        QFETCH(QString, typed);
        QString answer;
        FakeUserDialogs dialogs;
        frmJXXZ dlg(dialogs, kModels, answer);
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QLineEdit *field = list(dlg)->lineEdit();
        QTRY_VERIFY(field->hasFocus());
        field->selectAll();
        QTest::keyClicks(field, typed);
        QCOMPARE(field->text(), typed);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(dialogs.texts(), QStringList{QString("\"%1\" is not a model of the list. Choose one of: QZ70, QZ236.")
                                                  .arg(typed)});
        QCOMPARE(dialogs.shown.first().title, QString("Model Type Choose"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(field->text(), typed);
        QCOMPARE(answer, QString());
        QVERIFY(!dlg.itemChosen());

        // A name of the list, typed over it, is then taken.
        field->selectAll();
        QTest::keyClicks(field, "QZ236");
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(answer, QString("QZ236"));
        QCOMPARE(dlg.chosenPosition(), 1);
    }

    void closedWithoutOkChangesNothing()
    {
        QString answer = "QZ236";
        FakeUserDialogs dialogs;
        frmJXXZ dlg(dialogs, kModels, answer);
        dlg.show();
        type(dlg, "QZ1");
        dlg.close();
        QCOMPARE(answer, QString("QZ236"));
        QVERIFY(!dlg.itemChosen());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    void everyShowingStartsAtTheFirstItem()
    {
        QString answer;
        FakeUserDialogs dialogs;
        frmJXXZ dlg(dialogs, kModels, answer);
        dlg.show();
        list(dlg)->setCurrentIndex(1);
        dlg.findChild<QPushButton *>("cmdOK")->click();
        QCOMPARE(answer, QString("QZ236"));

        dlg.show();
        QCOMPARE(list(dlg)->currentIndex(), 0);
        QCOMPARE(list(dlg)->currentText(), QString("QZ70"));
        QVERIFY(!dlg.itemChosen());
        dlg.close();
        QCOMPARE(answer, QString("QZ236"));
    }

    void layout()
    {
        QString answer;
        FakeUserDialogs dialogs;
        frmJXXZ dlg(dialogs, kModels, answer);
        QCOMPARE(dlg.windowTitle(), QString("Model Type Choose"));
        QCOMPARE(dlg.size(), QSize(311, 83)); // 4665 x 1245 twips
        for (const char *name : {"Label1", "cmbJX", "cmdOK"})
            QVERIFY2(dlg.rect().contains(dlg.findChild<QWidget *>(name)->geometry()), name);
    }
};

QTEST_MAIN(TestModelDialog)
#include "tst_modeldialog.moc"
