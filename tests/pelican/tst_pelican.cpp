#include "FakeUserDialogs.h"
#include "TestSupport.h"
#include "WhenModal.h"
#include "core/ChpFile.h"
#include "core/FamilyA.h"
#include "editor/ChannelGrid.h"
#include "editor/mainFrm.h"
#include "pelican/PelicanFamily.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using testsupport::crlf;
using testsupport::readBytes;
using testsupport::trigger;
using testsupport::whenModal;
using testsupport::writeFile;

const QByteArray kIni = "[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\n";
const QStringList kGroupLists{"Label7", "cboRPGN", "Label9", "cboYXXD"};

// The file of an image, as a saved one reads.
QStringList fileLines(const core::EditorState &s)
{
    return core::chp::FormatImage(*core::familyA::BuildImage(s, core::Target::File));
}

core::EditorState groupState(const QString &model)
{
    core::EditorState s = core::familyA::StartupState();
    s.model = model;
    s.group = core::familyA::GroupOf(model);
    s.channels = QList<QStringList>(16, QStringList(core::familyA::ChannelColumns(s.group)));
    return s;
}

} // namespace

// Pelican's window: the model groups, File > New, the two grid layouts and
// their editors, the group lists, files of both groups and the band editor.
class TstPelican : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    std::unique_ptr<mainFrm> m_window;

    // A window whose first activation was answered with the model at position
    // (-1: the dialog is closed without OK).
    mainFrm *make(int position = 0, bool show = false)
    {
        m_window.reset();
        writeFile(m_dir.filePath("Sfc.ini"), kIni);
        m_dialogs = FakeUserDialogs();
        mainFrm::Environment env{m_dir.path(), m_dir.path(), {}};
        m_window = std::make_unique<mainFrm>(PelicanFamily(), m_dialogs, env);
        if (show) {
            m_window->resize(1000, 700);
            m_window->show();
        }
        if (position >= -1) {
            whenModal([position](QWidget *d) {
                if (position < 0) {
                    QTest::keyClick(d, Qt::Key_Escape);
                    return;
                }
                d->findChild<QComboBox *>("cmbJX")->setCurrentIndex(position);
                d->findChild<QPushButton *>("cmdOK")->click();
            });
            m_window->Form_Activate();
        }
        if (show && !QTest::qWaitForWindowExposed(m_window.get()))
            qWarning("window not exposed");
        return m_window.get();
    }
    template <class T>
    T *child(const QString &name) { return m_window->findChild<T *>(name); }
    QComboBox *combo(const QString &name) { return child<QComboBox>(name); }
    void choose(const QString &name, int index)
    {
        combo(name)->setCurrentIndex(index);
        emit combo(name)->activated(index);
    }
    QStringList newMenu()
    {
        QStringList items;
        for (QAction *a : child<QMenu>("mnuNew")->actions())
            items << (a->isChecked() ? "*" : "") + a->text();
        return items;
    }
    QStringList titles()
    {
        QStringList t;
        for (int c = 0; c < m_window->grid()->cols(); ++c)
            t << m_window->grid()->cellText(0, c);
        return t;
    }
    QStringList enabledGroupLists()
    {
        QStringList on;
        for (const QString &name : kGroupLists)
            if (child<QWidget>(name)->isEnabled())
                on << name;
        return on;
    }
    GridTable *table() { return m_window->grid()->grid(); }
    void click(int row, int col)
    {
        table()->scrollTo(table()->model()->index(row - 1, col));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {},
                          table()->visualRect(table()->model()->index(row - 1, col)).center());
    }
    QComboBox *itemEditor() { return child<QComboBox>("cmbCKTX1"); }
    QStringList items(QComboBox *c)
    {
        QStringList l;
        for (int i = 0; i < c->count(); ++i)
            l << c->itemText(i);
        return l;
    }
    QStringList row(int r) { return m_window->grid()->channelTexts().at(r - 1); }

private slots:
    void startsInGroupZeroBeforeAnyModel()
    {
        mainFrm *w = make(-2);
        QCOMPARE(w->modelGroup(), QString("0"));
        QCOMPARE(w->currentModel(), QString());
        QCOMPARE(items(combo("cboPCmodel")), (QStringList{"(U)", "(V)"}));
        QCOMPARE(w->modelHex(), QString("53"));
        QCOMPARE(titles(), (QStringList{"No.", "RX Frequency", "TX Frequency", "QT/DQT Dec", "QT/DQT Enc", "Busy ", "W/N",
                                        "TX Power"}));
        QCOMPARE(w->grid()->rows(), 17);
        QCOMPARE(w->grid()->cellText(16, 0), QString("16"));
        QCOMPARE(enabledGroupLists(), QStringList());
        QVERIFY(child<QWidget>("Label8")->isEnabled());
        QVERIFY(combo("cboTSY")->isEnabled());
        QCOMPARE(child<QLabel>("Label8")->text(), QString("Sound:"));
        QCOMPARE(child<QLabel>("Label7")->text(), QString("Scrambler:"));
        QCOMPARE(child<QLabel>("Label9")->text(), QString("Priority Channel:"));
        QCOMPARE(combo("cboTSY")->currentText(), QString("Enable"));
        QCOMPARE(combo("cboRPGN")->currentText(), QString("Disable"));
        QCOMPARE(combo("cboYXXD")->currentText(), QString("1"));
        QCOMPARE(combo("cboYXXD")->count(), 16);
        QCOMPARE(combo("cboFuncTOT")->currentText(), QString("30s"));
        QCOMPARE(newMenu(), QStringList{"*QZ70"});
        QCOMPARE(w->optionByte(), QString("0"));
        QCOMPARE(m_dialogs.shown.size(), 0);
    }

    void choosingAGroupOneModel()
    {
        mainFrm *w = make(4);
        QCOMPARE(w->modelAnswer(), QString("QZ510"));
        QCOMPARE(w->currentModel(), QString("QZ510"));
        QCOMPARE(w->modelGroup(), QString("1"));
        QCOMPARE(w->modelMenuList(), QString("QZ70;QZ236;QZ71;QZ236star;QZ510;QZ410;;"));
        QCOMPARE(newMenu(), (QStringList{"QZ70", "QZ236", "QZ71", "QZ236star", "*QZ510", "QZ410"}));
        QCOMPARE(items(combo("cboPCmodel")), (QStringList{"QZ510(U)", "QZ510(V)"}));
        QCOMPARE(combo("cboPCmodel")->currentIndex(), 0);
        QCOMPARE(w->modelByte(), QString("115"));
        QCOMPARE(w->bandLabel(), QString("400MHz---470MHz"));
        QCOMPARE(w->grid()->cols(), 11);
        QCOMPARE(titles().mid(7), (QStringList{"Scan Add", "Compandor", "Scrambler Code.", "TX Power"}));
        QCOMPARE(enabledGroupLists(), kGroupLists);
        choose("cboPCmodel", 1);
        QCOMPARE(w->modelByte(), QString("116"));
        QCOMPARE(w->bandLabel(), QString("136MHz---174MHz"));
        // Later answers only move the check mark.
        w->BuildModelMenu("A;B;;", "QZ71");
        QCOMPARE(newMenu(), (QStringList{"QZ70", "QZ236", "*QZ71", "QZ236star", "QZ510", "QZ410"}));
    }

    void dialogClosedWithoutOkKeepsTheWindow()
    {
        mainFrm *w = make(-1);
        QCOMPARE(w->modelMenuList(), QString());
        QCOMPARE(newMenu(), QStringList{"*QZ70"});
        QCOMPARE(items(combo("cboPCmodel")), (QStringList{"(U)", "(V)"}));
        QCOMPARE(w->modelHex(), QString("53"));
        QCOMPARE(w->modelGroup(), QString("0"));
        // The menu is still to be built: the next OK fills it.
        whenModal([](QWidget *d) {
            d->findChild<QComboBox *>("cmbJX")->setCurrentIndex(5);
            d->findChild<QPushButton *>("cmdOK")->click();
        });
        QVERIFY(trigger(w, "tbNew"));
        QCOMPARE(newMenu(), (QStringList{"QZ70", "QZ236", "QZ71", "QZ236star", "QZ510", "*QZ410"}));
        QCOMPARE(w->modelGroup(), QString("1"));
        QCOMPARE(w->modelHex(), QString("75"));
        // An empty list builds nothing, and the menu stays as it is once built.
        w->BuildModelMenu(QString(), "QZ70");
        QCOMPARE(newMenu().size(), 6);
        QCOMPARE(newMenu().at(0), QString("*QZ70"));
    }

    void emptyListBuildsNoItems()
    {
        mainFrm *w = make(-2);
        w->BuildModelMenu(QString(), "QZ70");
        QCOMPARE(newMenu(), QStringList{"*QZ70"});
        // Built once: a full list later only moves the check mark.
        w->BuildModelMenu(core::familyA::Models().join(';') + ";;", "QZ71");
        QCOMPARE(newMenu(), QStringList{"QZ70"});
    }

    // A typed name outside the list would pair a group "0" code with the group
    // "1" layout: the question refuses it and stays open, the window keeps its model.
    void typedModelNameOutsideTheListIsRefused()
    {
        mainFrm *w = make(3);
        const core::EditorState before = w->currentState();
        bool stayedOpen = false;
        whenModal([&stayedOpen](QWidget *d) {
            auto *list = d->findChild<QComboBox *>("cmbJX");
            list->lineEdit()->selectAll();
            QTest::keyClicks(list, "QZ2");
            QTest::keyClick(list, Qt::Key_Return);
            stayedOpen = QApplication::activeModalWidget() == d;
            QTest::keyClick(list, Qt::Key_Escape);
        });
        QVERIFY(trigger(w, "tbNew"));
        QVERIFY(stayedOpen);
        QCOMPARE(m_dialogs.texts(), QStringList{"\"QZ2\" is not a model of the list. Choose one of: QZ70, QZ236, QZ71, "
                                                "QZ236star, QZ510, QZ410."});
        QCOMPARE(w->modelAnswer(), QString("QZ236star"));
        QCOMPARE(w->modelGroup(), QString("1"));
        QCOMPARE(w->currentState(), before);
        QCOMPARE(w->modelHex(), QString("71"));

        const QString out = m_dir.filePath("typed.chp");
        m_dialogs.fileNames.enqueue(out);
        QVERIFY(trigger(w, "mnuSave"));
        QVERIFY(readBytes(out).startsWith("52 00 00 08 71 "));
    }

    void fileNewSwitchesTheLayout()
    {
        mainFrm *w = make(0);
        QVERIFY(trigger(w, "mnuType3"));
        QCOMPARE(w->modelGroup(), QString("1"));
        QCOMPARE(w->currentModel(), QString("QZ236star"));
        QCOMPARE(w->modelHex(), QString("71"));
        QCOMPARE(w->grid()->cols(), 11);
        QCOMPARE(enabledGroupLists(), kGroupLists);
        QCOMPARE(newMenu().at(3), QString("*QZ236star"));
        for (int c = 7; c <= 10; ++c)
            QCOMPARE(table()->cellAlignment(3, c), Qt::AlignHCenter | Qt::AlignTop);
        QVERIFY(trigger(w, "mnuType2"));
        QCOMPARE(w->modelGroup(), QString("0"));
        QCOMPARE(w->grid()->cols(), 8);
        QCOMPARE(enabledGroupLists(), QStringList());
        QCOMPARE(w->modelHex(), QString("55"));
    }

    void elevenColumnsScrollSideways()
    {
        mainFrm *w = make(4, true);
        int total = 0;
        for (int c = 0; c < 11; ++c)
            total += table()->ColWidth(c);
        const int width = table()->layoutWidth();
        QVERIFY2(total > width * 13 / 10, qPrintable(QString("%1 of %2").arg(total).arg(width)));
        QCOMPARE(table()->ColWidth(9), qRound(width * 2.5 / 14));
        QCOMPARE(table()->ColWidth(8), qRound(width * 3.0 / 25));
        QTRY_VERIFY(table()->horizontalScrollBar()->isVisible());
        // A narrow window keeps every column reachable.
        w->resize(600, 500);
        QTRY_VERIFY(table()->horizontalScrollBar()->maximum() > 0);
        w->hide();
    }

    void listEditorsByColumn_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("col");
        QTest::addColumn<QStringList>("offered");
        const QStringList yesNo{"Yes", "No"};
        const QStringList power{"High", "Middle", "Low"};
        QTest::newRow("group 1 col 7") << 4 << 7 << yesNo;
        QTest::newRow("group 0 col 7") << 1 << 7 << power;
        QTest::newRow("col 8") << 5 << 8 << yesNo;
        QTest::newRow("col 9") << 5 << 9 << QStringList{"OFF", "1", "2", "3", "4", "5", "6", "7", "8"};
        QTest::newRow("col 10") << 3 << 10 << power;
    }
    void listEditorsByColumn()
    {
        QFETCH(int, position);
        QFETCH(int, col);
        QFETCH(QStringList, offered);
        make(position, true);
        click(2, col);
        QVERIFY(itemEditor()->isVisible());
        QCOMPARE(items(itemEditor()), offered);
        m_window->hide();
    }

    void scramblerEditorShowsTheCellText()
    {
        mainFrm *w = make(4, true);
        w->grid()->setCellText(3, 9, "5");
        click(3, 9);
        QCOMPARE(itemEditor()->currentText(), QString("5"));
        click(4, 9);
        QCOMPARE(itemEditor()->currentText(), QString());
        // Typed by hand, the text reaches the cell; a code outside 1..8 stops the write.
        itemEditor()->lineEdit()->selectAll();
        QTest::keyClicks(itemEditor(), "9");
        QCOMPARE(w->grid()->cellText(4, 9), QString("9"));
        w->grid()->setCellText(4, 1, "462.56250");
        w->grid()->setCellText(4, 10, "High");
        m_dialogs.answers.enqueue(UserDialogs::Answer::Ok);
        QVERIFY(trigger(w, "mnuWrite"));
        QCOMPARE(m_dialogs.shown.size(), 2);
        QVERIFY2(m_dialogs.shown[1].text.startsWith("Channel 4, Scrambler Code."), qPrintable(m_dialogs.shown[1].text));
        w->hide();
    }

    void rowDefaultsOfEachLayout_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("expected");
        const QString f = "462.56250";
        QTest::newRow("group 1") << 4 << QStringList{f, f, "OFF", "OFF", "No", "W", "Yes", "No", "OFF", "High"};
        QTest::newRow("group 0") << 0 << QStringList{f, f, "OFF", "OFF", "No", "W", "High"};
    }
    void rowDefaultsOfEachLayout()
    {
        QFETCH(int, position);
        QFETCH(QStringList, expected);
        make(position, true);
        click(2, 1);
        auto *editor = child<QLineEdit>("txtTxFreq");
        QVERIFY(editor->isVisible());
        QTest::keyClicks(editor, "462.5625");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(row(2), expected);
        QCOMPARE(m_dialogs.shown.size(), 0);
        m_window->hide();
    }

    void defaultsKeepFilledCells()
    {
        mainFrm *w = make(4, true);
        w->grid()->setCellText(5, 7, "No");
        w->grid()->setCellText(5, 9, "3");
        click(5, 1);
        QTest::keyClicks(child<QLineEdit>("txtTxFreq"), "440");
        click(6, 0);
        QCOMPARE(row(5), (QStringList{"440.00000", "440.00000", "OFF", "OFF", "No", "W", "No", "No", "3", "High"}));
        // A group column left empty becomes "OFF".
        click(7, 8);
        click(7, 10);
        QCOMPARE(w->grid()->cellText(7, 8), QString("OFF"));
        w->hide();
    }

    void scrollingHidesTheEditor()
    {
        mainFrm *w = make(4, true);
        w->resize(600, 500);
        QTRY_VERIFY(table()->horizontalScrollBar()->maximum() > 0);
        click(2, 9);
        QVERIFY(itemEditor()->isVisible());
        QTest::keyClicks(itemEditor(), "7");
        table()->horizontalScrollBar()->setValue(0);
        table()->horizontalScrollBar()->setValue(table()->horizontalScrollBar()->maximum());
        QVERIFY(!itemEditor()->isVisible());
        QCOMPARE(w->grid()->cellText(2, 9), QString("7"));
        w->hide();
    }

    void resizeKeepsTheOpenEditorOverItsCell()
    {
        mainFrm *w = make(4, true);
        w->resize(640, 520);
        QTRY_VERIFY(table()->horizontalScrollBar()->maximum() > 0);
        w->grid()->setCellText(2, 9, "5");
        click(2, 9);
        QVERIFY(itemEditor()->isVisible());
        for (const QSize size : {QSize(820, 520), QSize(600, 480), QSize(1000, 700)}) {
            w->resize(size);
            QTRY_COMPARE(w->size(), size);
            QCoreApplication::processEvents();
            QVERIFY(itemEditor()->isVisible());
            const QRect cell = table()->visualRect(table()->model()->index(1, 9));
            QVERIFY(table()->viewport()->rect().contains(cell));
            QCOMPARE(itemEditor()->geometry().topLeft(), cell.topLeft() + table()->viewport()->pos() + table()->pos());
        }
        QCOMPARE(itemEditor()->currentText(), QString("5"));
        w->hide();
    }

private:
    // What the user sees at a point of the grid: the text of the cell or title there.
    QString shownAt(const QPoint &inGrid)
    {
        QWidget *w = table()->childAt(inGrid);
        auto *view = w ? qobject_cast<QAbstractItemView *>(w->parentWidget()) : nullptr;
        if (!view || view->viewport() != w)
            return QString();
        const QPoint at = w->mapFrom(table(), inGrid);
        if (auto *header = qobject_cast<QHeaderView *>(view))
            return header->model()->headerData(header->logicalIndexAt(at), Qt::Horizontal).toString();
        return view->indexAt(at).data().toString();
    }
    // The left edge of the grid shows "No." and each channel's number in its row.
    void numbersInSight()
    {
        const QRect view = table()->viewport()->geometry();
        QCOMPARE(shownAt(QPoint(view.left() + 3, table()->horizontalHeader()->geometry().center().y())), QString("No."));
        for (int r = 1; r <= 4; ++r) {
            const int y = view.top() + table()->visualRect(table()->model()->index(r - 1, 0)).center().y();
            QCOMPARE(shownAt(QPoint(view.left() + 3, y)), QString::number(r));
        }
    }

private slots:
    void numberColumnStaysWhenScrolledSideways()
    {
        mainFrm *w = make(4, true);
        w->resize(600, 500);
        QScrollBar *bar = table()->horizontalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
        numbersInSight();

        // An editor opens beside the numbers, not under them, and stands over its cell.
        click(2, 1);
        auto *rx = child<QLineEdit>("txtTxFreq");
        QVERIFY(rx->isVisible());
        const QRect numbers = table()->numberColumn()->geometry().translated(table()->pos());
        const QRect cell = table()->visualRect(table()->model()->index(1, 1)).translated(table()->viewport()->pos() + table()->pos());
        QCOMPARE(rx->geometry(), cell);
        QVERIFY2(rx->geometry().left() > numbers.right(), qPrintable(QString("%1 %2").arg(rx->x()).arg(numbers.right())));
        numbersInSight();
        QTest::keyClicks(rx, "440");

        // A click on a number, where the user sees it, leaves the cell as any click does.
        const QRect view = table()->viewport()->geometry();
        const QPoint four(view.left() + 3, view.top() + table()->visualRect(table()->model()->index(3, 0)).center().y());
        QWidget *under = table()->childAt(four);
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(table(), four));
        QCOMPARE(table()->Row(), 4);
        QCOMPARE(table()->Col(), 0);
        QVERIFY(rx->isHidden());
        QCOMPARE(row(2), (QStringList{"440.00000", "440.00000", "OFF", "OFF", "No", "W", "Yes", "No", "OFF", "High"}));

        // Narrow and scrolled fully right, then wide: no offset is left behind.
        bar->setValue(bar->maximum());
        w->resize(1000, 700);
        QTRY_COMPARE(w->size(), QSize(1000, 700));
        QCoreApplication::processEvents();
        QVERIFY(bar->value() <= bar->maximum());
        QCOMPARE(table()->horizontalHeader()->offset(), bar->value());
        QCOMPARE(table()->numberColumn()->geometry().topLeft(), table()->horizontalHeader()->geometry().topLeft());
        QCOMPARE(table()->numberColumn()->geometry().bottom(), table()->viewport()->geometry().bottom());
        QCOMPARE(table()->numberColumn()->width(), table()->ColWidth(0));
        numbersInSight();
        bar->setValue(0);
        QCoreApplication::processEvents();
        numbersInSight();
        QCOMPARE(shownAt(QPoint(table()->scrollingArea().left() + 3, table()->viewport()->y() + 3)), row(1).at(0));
        w->hide();
    }

    void optionByteFollowsTheGroup()
    {
        mainFrm *w = make(4);
        core::BandOptions band = w->band();
        band.crystal14MHz = true;
        w->setBand(band);
        choose("cbosd", 1);
        choose("cboTSY", 1);
        choose("cboRPGN", 0);
        QCOMPARE(w->optionByte(), QString::number(0x68));
        QVERIFY(trigger(w, "mnuType0"));
        choose("cboTSY", 1);
        QCOMPARE(w->optionByte(), QString::number(0x60));
    }

    void bandEditorListsTheCurrentModel()
    {
        mainFrm *w = make(3);
        choose("cboPCmodel", 1);
        QStringList seen[2];
        int index[2] = {-1, -1};
        whenModal([](QWidget *d) {
            d->findChild<QLineEdit *>("txtPassword")->setText("4815093");
            d->findChild<QPushButton *>("cmdOK")->click();
        }, "frmLogin");
        whenModal([&](QWidget *e) {
            for (int k = 0; k < 2; ++k) {
                auto *c = e->findChild<QComboBox *>(QStringLiteral("cboPCmodel%1").arg(k));
                seen[k] = items(c);
                index[k] = c->currentIndex();
            }
            e->close();
        }, "frmMODE");
        QVERIFY(trigger(w, "mnuTune"));
        for (int k = 0; k < 2; ++k) {
            QCOMPARE(seen[k], (QStringList{"QZ236star(U)", "QZ236star(V)"}));
            QCOMPARE(index[k], 0);
        }
    }

    void filesOfBothGroups_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("model");
        QTest::newRow("group 1 file over group 0") << 0 << "QZ410";
        QTest::newRow("group 0 file over group 1") << 4 << "QZ236";
    }
    void filesOfBothGroups()
    {
        QFETCH(int, shown);
        QFETCH(QString, model);
        mainFrm *w = make(shown);
        core::EditorState s = groupState(model);
        s.variant = 1;
        s.lists.priority = s.group == "1" ? 11 : 0;
        s.lists.sound = s.group == "1" ? 1 : 0;
        const bool one = s.group == "1";
        s.channels[0] = one ? QStringList{"462.56250", "462.56250", "D023N", "67.0", "Yes", "N", "Yes", "Yes", "8", "Middle"}
                            : QStringList{"462.56250", "462.56250", "D023N", "67.0", "Yes", "N", "Middle"};
        s.channels[15][0] = "OFF";
        const QString in = m_dir.filePath("in.chp");
        writeFile(in, crlf(fileLines(s)));
        m_dialogs.fileNames.enqueue(in);
        QVERIFY(trigger(w, "mnuOpen"));
        QCOMPARE(m_dialogs.shown.size(), 0);
        QCOMPARE(w->modelGroup(), s.group);
        QCOMPARE(w->grid()->cols(), one ? 11 : 8);
        QCOMPARE(enabledGroupLists(), one ? kGroupLists : QStringList());
        QCOMPARE(combo("cboPCmodel")->currentText(), model + "(V)");
        QCOMPARE(w->modelHex(), core::HexByte(core::familyA::ModelCode(model, 1)));
        QCOMPARE(combo("cboYXXD")->currentIndex(), s.lists.priority);
        const QList<QStringList> loaded = w->currentState().channels;
        QCOMPARE(loaded.at(0), s.channels.at(0));
        QCOMPARE(loaded.at(15).at(0), QString("OFF"));

        // Saved and opened again, row for row.
        const QString out = m_dir.filePath("out.chp");
        m_dialogs.fileNames.enqueue(out);
        QVERIFY(trigger(w, "mnuSave"));
        w->applyState(groupState(one ? "QZ70" : "QZ510"));
        m_dialogs.fileNames.enqueue(out);
        QVERIFY(trigger(w, "mnuOpen"));
        QCOMPARE(w->currentState().channels, loaded);
        QCOMPARE(combo("cboYXXD")->currentIndex(), s.lists.priority);
        QCOMPARE(readBytes(out).left(70), crlf(fileLines(s)).left(70));
    }

    void unknownModelCodeIsRefused()
    {
        mainFrm *w = make(4);
        const core::EditorState before = w->currentState();
        QStringList lines = fileLines(groupState("QZ510"));
        lines[0] = "52 00 00 08 60 FF FF FF 00 03 04 19";
        const QString in = m_dir.filePath("odd.chp");
        writeFile(in, crlf(lines));
        m_dialogs.fileNames.enqueue(in);
        QVERIFY(trigger(w, "mnuOpen"));
        QCOMPARE(m_dialogs.texts(), QStringList{"The model code 0x60 names none of this program's models; nothing was loaded."});
        QCOMPARE(w->currentState(), before);
        QCOMPARE(w->grid()->cols(), 11);
        QCOMPARE(items(combo("cboPCmodel")), (QStringList{"QZ510(U)", "QZ510(V)"}));
    }

    void badScramblerTokenLeavesTheWindow()
    {
        mainFrm *w = make(0);
        w->grid()->setCellText(1, 1, "462.56250");
        const core::EditorState before = w->currentState();
        QStringList lines = fileLines(groupState("QZ510"));
        lines[5] = "52 00 28 08 FF FF FF FF 01 FF FF 0A";
        const QString in = m_dir.filePath("bad.chp");
        writeFile(in, crlf(lines));
        m_dialogs.fileNames.enqueue(in);
        QVERIFY(trigger(w, "mnuOpen"));
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY2(m_dialogs.shown[0].text.contains("Scrambler"), qPrintable(m_dialogs.shown[0].text));
        QCOMPARE(w->currentState(), before);
        QCOMPARE(w->grid()->cols(), 8);
    }
};

QTEST_MAIN(TstPelican)
#include "tst_pelican.moc"
