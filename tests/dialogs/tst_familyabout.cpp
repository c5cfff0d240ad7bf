#include "FakeUserDialogs.h"
#include "WhenModal.h"
#include "editor/mainFrm.h"
#include "heron/HeronFamily.h"
#include "osprey/OspreyFamily.h"
#include "pelican/PelicanFamily.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Each program's About box as Help > About opens it.
class TstFamilyAbout : public QObject {
    Q_OBJECT
private slots:
    void texts_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("description"); // its first line
        QTest::addColumn<QString>("version");     // empty: no version line
        const QString twoModels =
            "Skua program software is a tool for programming QZ serials of QZ_152 and QZ_70 and so on.";
        QTest::newRow("Heron") << "Heron" << "About Heron" << "Heron" << twoModels << "Version\uFF1A1.0.0.1";
        QTest::newRow("Pelican") << "Pelican" << "About Pelican" << "Pelican" << twoModels << "Version\uFF1A1.0.0.2";
        QTest::newRow("Osprey") << "Osprey" << "About MyApp" << "QZ_311A/_311B VHF/UHF PC Program Software"
                                << "Osprey program software is a tool for programming QZ serials of QZ_311A and "
                                   "QZ_311B and so on."
                                << "";
    }
    void texts()
    {
        QFETCH(QString, program);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QString, description);
        QFETCH(QString, version);
        const Family &family = program == "Heron" ? HeronFamily() : program == "Pelican" ? PelicanFamily() : OspreyFamily();
        QTemporaryDir dir;
        FakeUserDialogs dialogs;
        mainFrm window(family, dialogs, {dir.path(), dir.path(), {}});

        auto *about = window.findChild<QAction *>("mnuAbout");
        QVERIFY(about);
        QVERIFY(about->isEnabled());
        QStringList seen;
        testsupport::whenModal([&](QWidget *d) {
            auto *versionLabel = d->findChild<QLabel *>("Label1");
            seen << d->windowTitle() << d->findChild<QLabel *>("lblTitle")->text()
                 << d->findChild<QLabel *>("lblDescription")->text().section('\n', 0, 0)
                 << (versionLabel->isVisibleTo(d) ? versionLabel->text() : QString());
            d->findChild<QPushButton *>("cmdOK")->click();
        }, "frmAbout");
        about->trigger();
        QCOMPARE(seen, (QStringList{caption, title, description, version}));
    }
};

QTEST_MAIN(TstFamilyAbout)
#include "tst_familyabout.moc"
