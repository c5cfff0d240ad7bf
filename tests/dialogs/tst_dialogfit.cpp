#include "FakeUserDialogs.h"
#include "WhenModal.h"
#include "common/QtUserDialogs.h"
#include "common/frmAbout.h"
#include "common/frmLogin.h"

#include <QLabel>
#include <QMessageBox>
#include <QtTest>

namespace {

// What a title bar needs at least: the title in a bold face, an icon and three buttons.
int titleNeeds(const QString &title)
{
    QFont bold = QApplication::font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) + 90;
}

} // namespace

class TestDialogFit : public QObject {
    Q_OBJECT
private slots:
    void passwordGateShowsItsTitle()
    {
        FakeUserDialogs dialogs;
        frmLogin dlg(dialogs);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.windowTitle(), QString("Please enter the password"));
        QVERIFY2(dlg.width() >= titleNeeds(dlg.windowTitle()), qPrintable(QString::number(dlg.width())));
    }

    void shortMessagesShowTheirTitle_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("digits wanted, program title") << QString("\u8BF7\u8F93\u5165\u6570\u5B57") << QString();
        QTest::newRow("write question") << QString("OK?") << QString("Writing  Data Progress");
    }
    void shortMessagesShowTheirTitle()
    {
        QFETCH(QString, text);
        QFETCH(QString, title);
        QtUserDialogs dialogs(QStringLiteral("Heron"));
        int width = 0;
        QString shownTitle;
        testsupport::whenModal([&](QWidget *box) {
            QTRY_VERIFY(box->isVisible());
            width = box->width();
            shownTitle = box->windowTitle();
            static_cast<QMessageBox *>(box)->accept();
        });
        dialogs.message(nullptr, text, title, UserDialogs::Icon::None, UserDialogs::Buttons::Ok);
        QCOMPARE(shownTitle, title.isEmpty() ? QString("Heron") : title);
        QVERIFY2(width >= titleNeeds(shownTitle), qPrintable(QString::number(width)));
    }

    // The description breaks where its own line feed is, not inside its lines.
    void aboutTextBreaksOnlyAtItsLineFeed()
    {
        FakeUserDialogs dialogs;
        frmAbout dlg(dialogs, AboutTexts::forProgram("Heron", "1.0.0.1"));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        auto *label = dlg.findChild<QLabel *>("lblDescription");
        const QFontMetrics fm(label->font());
        for (const QString &line : label->text().split('\n'))
            QVERIFY2(fm.horizontalAdvance(line) <= label->contentsRect().width(), qPrintable(line));
        QVERIFY(label->height() < 3 * fm.lineSpacing());
    }
};

QTEST_MAIN(TestDialogFit)
#include "tst_dialogfit.moc"
