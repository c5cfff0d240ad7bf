#include "FakeUserDialogs.h"
#include "Wheel.h"
#include "editor/ChannelGrid.h"
#include "heron/HeronFamily.h"

#include <QClipboard>
#include <QComboBox>
#include <QScrollBar>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QString kRange = QStringLiteral("Please input in correct range");
const QString kStep = QStringLiteral("Error data Value, Please input according the step value(6.25K/5K)");
const QString kNotInList = QStringLiteral("The QT/DQT you input does not exist,please check it\uFF01");
const QString kNoBand = QStringLiteral("No band is set for this model. Please check the key PL1 in section [Frequent] of "
                                       "\"Sfc.ini\": it must hold a band such as 400MHz---470MHz.");

// A window with the grid and one control outside its frame.
struct Fixture {
    FakeUserDialogs dialogs;
    QString band = QStringLiteral("400MHz---470MHz");
    QWidget window;
    ChannelGrid *grid;
    QLineEdit *outside;

    explicit Fixture(bool setup = true)
    {
        auto *layout = new QVBoxLayout(&window);
        grid = new ChannelGrid(dialogs, [this] { return band; }, &window, HeronGrid());
        outside = new QLineEdit(&window);
        outside->setObjectName("outside");
        layout->addWidget(grid);
        layout->addWidget(outside);
        window.resize(720, 480);
        if (setup)
            grid->SetupChannelGrid(16);
        window.show();
        QCoreApplication::processEvents();
    }

    QLineEdit *rxEditor() const { return grid->findChild<QLineEdit *>("txtTxFreq"); }
    QLineEdit *txEditor() const { return grid->findChild<QLineEdit *>("txtRecFreq"); }
    QComboBox *toneEditor() const { return grid->findChild<QComboBox *>("cmbCKTX2"); }
    QComboBox *itemEditor() const { return grid->findChild<QComboBox *>("cmbCKTX1"); }
    QList<QWidget *> editors() const { return {rxEditor(), txEditor(), toneEditor(), itemEditor()}; }
    QStringList visibleEditors() const
    {
        QStringList names;
        for (QWidget *e : editors())
            if (e->isVisible())
                names << e->objectName();
        return names;
    }
    QString cell(int r, int c) const { return grid->cellText(r, c); }
    QStringList row(int r) const { return grid->channelTexts().at(r - 1); }
    QRect cellRectInFrame(int r, int c) const
    {
        GridTable *t = grid->grid();
        return t->visualRect(t->model()->index(r - 1, c)).translated(t->viewport()->pos() + t->pos());
    }
    void mouseClick(int r, int c)
    {
        GridTable *t = grid->grid();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(t->model()->index(r - 1, c)).center());
    }
    void activate()
    {
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    void wheel(QWidget *target, int notches) { testsupport::wheel(target, notches); }
    bool inSight(int r, int c) const
    {
        GridTable *t = grid->grid();
        return t->viewport()->rect().contains(t->visualRect(t->model()->index(r - 1, c)));
    }
    // Leaves the current cell for a cell of the "No." column, which checks nothing itself.
    void leave() { grid->grid()->moveTo(grid->grid()->Row() == 16 ? 1 : 16, 0); }
};

} // namespace

class TstChannelGrid : public QObject {
    Q_OBJECT
private slots:
    void layoutAfterSetup()
    {
        Fixture f;
        QCOMPARE(f.grid->rows(), 17);
        QCOMPARE(f.grid->cols(), 8);
        QStringList titles;
        for (int c = 0; c < 8; ++c)
            titles << f.cell(0, c);
        QCOMPARE(titles, (QStringList{"No.", "RX Frequency", "TX Frequency", "QT/DQT Dec", "QT/DQT Enc", "Busy ", "W/N",
                                      "TX Power"}));
        for (int r = 1; r <= 16; ++r) {
            QCOMPARE(f.cell(r, 0), QString::number(r));
            QCOMPARE(f.row(r), QStringList(7, QString()));
        }
        GridTable *t = f.grid->grid();
        QCOMPARE(t->cellAlignment(5, 0), Qt::AlignHCenter | Qt::AlignTop);
        QCOMPARE(t->cellAlignment(5, 1), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(t->cellAlignment(5, 2), Qt::AlignLeft | Qt::AlignVCenter);
        for (int c = 3; c <= 7; ++c)
            QCOMPARE(t->cellAlignment(5, c), Qt::AlignHCenter | Qt::AlignTop);
        QCOMPARE(t->font().family(), QString("Arial"));
        QCOMPARE(f.rxEditor()->font().pointSizeF(), 8.25);
        QCOMPARE(f.visibleEditors(), QStringList());
        QVERIFY(f.grid->isAncestorOf(f.grid->findChild<QGroupBox *>("fraChan")));
        QCOMPARE(f.grid->frame()->title(), QString("Channel Information"));
    }

    void widthsFollowTheGridAndKeepCells()
    {
        Fixture f;
        GridTable *t = f.grid->grid();
        auto widths = [t] {
            QList<int> w;
            for (int c = 0; c < t->Cols(); ++c)
                w << t->ColWidth(c);
            return w;
        };
        QCOMPARE(widths(), ColumnWidths(t->layoutWidth(), HeronGrid()));
        f.grid->setCellText(3, 1, "462.56250");
        f.grid->setCellText(16, 7, "Low");
        const int before = t->layoutWidth();
        f.window.resize(1000, 600);
        QCoreApplication::processEvents();
        QVERIFY(t->layoutWidth() > before);
        QCOMPARE(widths(), ColumnWidths(t->layoutWidth(), HeronGrid()));
        f.grid->layoutColumns();
        QCOMPARE(f.cell(3, 1), QString("462.56250"));
        QCOMPARE(f.cell(16, 7), QString("Low"));
        QCOMPARE(f.cell(16, 0), QString("16"));
        // A rebuild is the one thing that empties the grid.
        f.grid->SetupChannelGrid(16);
        QCOMPARE(f.cell(3, 1), QString());
    }

    void channelTextsRoundTrip()
    {
        Fixture f;
        QList<QStringList> channels(16, QStringList(7, "OFF"));
        channels[0] = {"462.56250", "462.56250", "67.0", "D023N", "No", "W", "High"};
        f.grid->setChannelTexts(channels);
        QCOMPARE(f.grid->channelTexts(), channels);
        QCOMPARE(f.cell(1, 4), QString("D023N"));
    }

    void clickBeforeSetupDoesNothing()
    {
        Fixture f(false);
        f.grid->clickCell(1, 1);
        QCOMPARE(f.visibleEditors(), QStringList());
    }

    void clickPlacesEditor_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("cellText");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("shown"); // editor text; for lists the selected item
        QTest::addColumn<int>("selected");  // list index, -1 none
        const QStringList none;
        QTest::newRow("RX frequency") << 1 << "462.56250" << "txtTxFreq" << none << "462.56250" << -1;
        QTest::newRow("RX without leading zeros") << 1 << "046.00000" << "txtTxFreq" << none << "46.00000" << -1;
        QTest::newRow("RX OFF shown as is") << 1 << "OFF" << "txtTxFreq" << none << "OFF" << -1;
        QTest::newRow("TX frequency") << 2 << "450.00000" << "txtRecFreq" << none << "450.00000" << -1;
        QTest::newRow("tone found case-blind") << 3 << "d023n" << "cmbCKTX2" << none << "D023N" << 51;
        QTest::newRow("tone with decimal") << 4 << "67.0" << "cmbCKTX2" << none << "67.0" << 1;
        QTest::newRow("busy No") << 5 << "No" << "cmbCKTX1" << QStringList{"Yes", "No"} << "No" << 1;
        QTest::newRow("busy OFF selects nothing") << 5 << "OFF" << "cmbCKTX1" << QStringList{"Yes", "No"} << "" << -1;
        QTest::newRow("busy empty selects nothing") << 5 << "" << "cmbCKTX1" << QStringList{"Yes", "No"} << "" << -1;
        QTest::newRow("W/N") << 6 << "N" << "cmbCKTX1" << QStringList{"W", "N"} << "N" << 1;
        QTest::newRow("power") << 7 << "Middle" << "cmbCKTX1" << QStringList{"High", "Middle", "Low"} << "Middle" << 1;
    }
    void clickPlacesEditor()
    {
        QFETCH(int, col);
        QFETCH(QString, cellText);
        QFETCH(QString, editor);
        QFETCH(QStringList, items);
        QFETCH(QString, shown);
        QFETCH(int, selected);
        Fixture f;
        f.grid->setCellText(4, col, cellText);
        f.mouseClick(4, col);
        QCOMPARE(f.visibleEditors(), QStringList{editor});
        QWidget *w = f.grid->findChild<QWidget *>(editor);
        const QRect cell = f.cellRectInFrame(4, col);
        QCOMPARE(w->pos(), cell.topLeft());
        QCOMPARE(w->width(), cell.width());
        if (auto *line = qobject_cast<QLineEdit *>(w)) {
            QCOMPARE(line->height(), cell.height());
            QCOMPARE(line->text(), shown);
            QCOMPARE(line->selectedText(), shown);
        } else {
            auto *combo = qobject_cast<QComboBox *>(w);
            if (col >= 5) {
                QStringList listed;
                for (int i = 0; i < combo->count(); ++i)
                    listed << combo->itemText(i);
                QCOMPARE(listed, items);
            } else {
                QCOMPARE(combo->count(), 261);
            }
            QCOMPARE(combo->currentIndex(), selected);
            QCOMPARE(combo->currentText(), shown);
        }
        // Opening an editor never changes the cell.
        QCOMPARE(f.cell(4, col), cellText);
    }

    void numberColumnHidesEditors()
    {
        Fixture f;
        f.grid->clickCell(2, 5);
        QCOMPARE(f.visibleEditors(), QStringList{"cmbCKTX1"});
        f.grid->clickCell(2, 0);
        QCOMPARE(f.visibleEditors(), QStringList());
    }

    void titleRowIsNotACell()
    {
        Fixture f;
        f.grid->clickCell(2, 1);
        QCOMPARE(f.grid->grid()->Row(), 2);
        f.grid->grid()->moveTo(0, 3);
        QCOMPARE(f.grid->grid()->Row(), 2);
    }

    void typingCopiesIntoCell_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("cellAfterEachKey");
        QTest::addColumn<QString>("editorText");
        QTest::newRow("RX 462.5") << 1 << "462.5"
                                  << QStringList{"004.00000", "046.00000", "462.00000", "462.00000", "462.50000"}
                                  << "462.5";
        QTest::newRow("TX 46") << 2 << "46" << QStringList{"004.00000", "046.00000"} << "46";
        QTest::newRow("letters are removed") << 1 << "abc" << QStringList{"", "", ""} << "";
        QTest::newRow("letter after digits empties") << 2 << "4a" << QStringList{"004.00000", ""} << "";
        QTest::newRow("sixth decimal rounded") << 1 << "462.562501"
                                               << QStringList{"004.00000", "046.00000", "462.00000", "462.00000",
                                                              "462.50000", "462.56000", "462.56200", "462.56250",
                                                              "462.56250", "462.56250"}
                                               << "462.562501";
    }
    void typingCopiesIntoCell()
    {
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(QStringList, cellAfterEachKey);
        QFETCH(QString, editorText);
        Fixture f;
        f.grid->clickCell(3, col);
        QLineEdit *editor = col == 1 ? f.rxEditor() : f.txEditor();
        for (int i = 0; i < typed.size(); ++i) {
            QTest::keyClick(editor, typed.at(i).toLatin1());
            QCOMPARE(f.cell(3, col), cellAfterEachKey.at(i));
        }
        QCOMPARE(editor->text(), editorText);
        QCOMPARE(f.grid->grid()->cellAlignment(3, col), Qt::AlignLeft | Qt::AlignBottom);
        QCOMPARE(f.dialogs.shown.size(), 0);
    }

    void typingOverOffReplacesIt()
    {
        Fixture f;
        f.grid->setCellText(2, 1, "OFF");
        f.grid->clickCell(2, 1);
        QTest::keyClick(f.rxEditor(), '4');
        QCOMPARE(f.rxEditor()->text(), QString("4"));
        QCOMPARE(f.cell(2, 1), QString("004.00000"));
    }

    void enterInFrequencyEditor_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("valid RX") << 1 << "462.5625" << "462.56250" << QStringList();
        QTest::newRow("valid TX") << 2 << "450" << "450.00000" << QStringList();
        QTest::newRow("empty becomes OFF") << 1 << "" << "OFF" << QStringList();
        QTest::newRow("out of range") << 1 << "300" << "" << QStringList{kRange};
        QTest::newRow("off step") << 2 << "462.553" << "" << QStringList{kStep};
    }
    void enterInFrequencyEditor()
    {
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        QFETCH(QStringList, messages);
        Fixture f;
        f.grid->clickCell(5, col);
        QLineEdit *editor = col == 1 ? f.rxEditor() : f.txEditor();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(editor->isHidden());
        QCOMPARE(f.cell(5, col), cell);
        QCOMPARE(f.dialogs.texts(), messages);
        if (!messages.isEmpty()) {
            QCOMPARE(f.dialogs.shown.at(0).title, QString("Information"));
            QCOMPARE(f.dialogs.shown.at(0).icon, UserDialogs::Icon::Information);
            QCOMPARE(editor->text(), QString());
        }
        // The grid did not move: Enter checks the cell in place.
        QCOMPARE(f.grid->grid()->Row(), 5);
    }

    void listTypingAndEnter_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("tone exact") << 3 << "D023N" << true;
        QTest::newRow("tone in lower case") << 4 << "d023n" << false;
        QTest::newRow("tone with decimal") << 3 << "67.0" << true;
        QTest::newRow("tone prefix only") << 3 << "67" << false;
        QTest::newRow("busy exact") << 5 << "Yes" << true;
        QTest::newRow("busy lower case") << 5 << "yes" << false;
        QTest::newRow("power") << 7 << "Low" << true;
        QTest::newRow("empty text") << 6 << "" << false;
    }
    void listTypingAndEnter()
    {
        QFETCH(int, col);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        Fixture f;
        f.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.grid->clickCell(6, col);
        QComboBox *combo = col <= 4 ? f.toneEditor() : f.itemEditor();
        combo->clearEditText();
        // Keys go where the user's click into the list editor puts the focus.
        QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(combo == focused || combo->isAncestorOf(focused));
        QTest::keyClicks(focused, typed);
        // Every keystroke reaches the cell unchecked.
        QCOMPARE(f.cell(6, col), typed);
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE(f.cell(6, col), typed);
        QCOMPARE(combo->isVisible(), !accepted);
        if (accepted) {
            QCOMPARE(f.dialogs.shown.size(), 0);
        } else {
            QCOMPARE(f.dialogs.shown.size(), 1);
            QCOMPARE(f.dialogs.shown.at(0).text, kNotInList);
            QCOMPARE(f.dialogs.shown.at(0).title, QString("\u63D0\u793A"));
            QCOMPARE(f.dialogs.shown.at(0).icon, UserDialogs::Icon::Information);
        }
        QCOMPARE(f.grid->grid()->cellAlignment(6, col), Qt::AlignHCenter | Qt::AlignTop);
    }

    void pickFromListReachesCell()
    {
        Fixture f;
        f.grid->clickCell(2, 7);
        f.itemEditor()->setCurrentIndex(2);
        QCOMPARE(f.cell(2, 7), QString("Low"));
        // The open list moves on to another row's cell and carries that cell's item there.
        f.grid->setCellText(3, 7, "Middle");
        f.grid->clickCell(3, 7);
        QCOMPARE(f.itemEditor()->currentText(), QString("Middle"));
        QCOMPARE(f.cell(3, 7), QString("Middle"));
        QCOMPARE(f.cell(2, 7), QString("Low"));
    }

    void leaveCellChecks_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("message");
        const QString band = QStringLiteral("400MHz---470MHz");
        QTest::newRow("valid") << 2 << band << "462.56250" << "462.56250" << "";
        QTest::newRow("top of the band's last MHz") << 2 << band << "470.99375" << "470.99375" << "";
        QTest::newRow("below the band") << 2 << band << "399.99375" << "" << kRange;
        QTest::newRow("RX below the band") << 1 << band << "399.99375" << "" << kRange;
        QTest::newRow("four integer digits") << 1 << band << "1234.00000" << "" << kRange;
        QTest::newRow("6.25 kHz step") << 2 << band << "462.55625" << "462.55625" << "";
        QTest::newRow("5 kHz step") << 2 << band << "462.55500" << "462.55500" << "";
        QTest::newRow("off step") << 1 << band << "462.55300" << "" << kStep;
        QTest::newRow("empty frequency") << 1 << band << "" << "OFF" << "";
        QTest::newRow("OFF stays OFF") << 1 << band << "OFF" << "OFF" << "";
        QTest::newRow("empty band label") << 1 << "" << "462.56250" << "" << kNoBand;
        QTest::newRow("band label without limits") << 2 << "Band---unknown" << "462.56250" << "" << kNoBand;
        QTest::newRow("OFF needs no band") << 1 << "" << "OFF" << "OFF" << "";
        QTest::newRow("empty tone") << 3 << band << "" << "OFF" << "";
        QTest::newRow("empty busy") << 5 << band << "" << "OFF" << "";
        QTest::newRow("empty power") << 7 << band << "" << "OFF" << "";
        QTest::newRow("list text never checked") << 4 << band << "d023n" << "d023n" << "";
    }
    void leaveCellChecks()
    {
        QFETCH(int, col);
        QFETCH(QString, band);
        QFETCH(QString, text);
        QFETCH(QString, cell);
        QFETCH(QString, message);
        Fixture f;
        f.band = band;
        f.grid->setCellText(7, col, text);
        f.grid->grid()->moveTo(7, col);
        f.leave();
        QCOMPARE(f.cell(7, col), cell);
        QCOMPARE(f.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        for (const FakeUserDialogs::Shown &s : f.dialogs.shown) {
            QCOMPARE(s.title, QString("Information"));
            QCOMPARE(s.icon, UserDialogs::Icon::Information);
        }
    }

    void failedCheckEmptiesAndHidesEditor()
    {
        Fixture f;
        f.grid->clickCell(2, 1);
        QTest::keyClicks(f.rxEditor(), "480");
        // Arrow keys reach the grid only from the grid; move as the keyboard would.
        f.grid->grid()->moveTo(3, 1);
        QCOMPARE(f.dialogs.texts(), QStringList{kRange});
        QCOMPARE(f.cell(2, 1), QString());
        QVERIFY(f.rxEditor()->isHidden());
        QCOMPARE(f.rxEditor()->text(), QString());
        QCOMPARE(f.row(2), QStringList(7, QString()));
    }

    void mouseClickChecksOldCellBeforeMoving()
    {
        Fixture f;
        f.mouseClick(2, 1);
        QCOMPARE(f.visibleEditors(), QStringList{"txtTxFreq"});
        QTest::keyClicks(f.rxEditor(), "462.553");
        QStringList rowAtMessage;
        f.dialogs.onMessage = [&](const FakeUserDialogs::Shown &) {
            rowAtMessage << QString::number(f.grid->grid()->Row());
        };
        f.mouseClick(4, 2);
        QCOMPARE(f.dialogs.texts(), QStringList{kStep});
        QCOMPARE(rowAtMessage, QStringList{"2"});
        QCOMPARE(f.cell(2, 1), QString());
        // The click still goes on to the new cell and opens its editor.
        QCOMPARE(f.grid->grid()->Row(), 4);
        QCOMPARE(f.visibleEditors(), QStringList{"txtRecFreq"});
        QCOMPARE(f.txEditor()->pos(), f.cellRectInFrame(4, 2).topLeft());
    }

    void keyboardMoveChecksWithoutEditor()
    {
        Fixture f;
        f.grid->grid()->setFocus();
        f.grid->grid()->moveTo(8, 5);
        QTest::keyClick(f.grid->grid(), Qt::Key_Down);
        QCOMPARE(f.grid->grid()->Row(), 9);
        QCOMPARE(f.cell(8, 5), QString("OFF"));
        QCOMPARE(f.visibleEditors(), QStringList());
    }

    void rowDefaults_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        const QStringList empty(7, QString());
        const QStringList filled{"", "440.00000", "D023N", "67.0", "Yes", "N", "Low"};
        QTest::newRow("valid RX fills an empty row")
            << 1 << "462.56250" << empty << QStringList{"462.56250", "462.56250", "OFF", "OFF", "No", "W", "High"};
        QTest::newRow("never overwrites")
            << 1 << "462.56250" << filled
            << QStringList{"462.56250", "440.00000", "D023N", "67.0", "Yes", "N", "Low"};
        QTest::newRow("only exactly empty cells")
            << 1 << "462.56250" << QStringList{"", " ", "", "OFF", "", "", ""}
            << QStringList{"462.56250", " ", "OFF", "OFF", "No", "W", "High"};
        QTest::newRow("valid TX fills nothing")
            << 2 << "462.56250" << empty << QStringList{"", "462.56250", "", "", "", "", ""};
        QTest::newRow("RX out of range fills nothing") << 1 << "480.00000" << empty << empty;
        QTest::newRow("RX off step fills nothing") << 1 << "462.55300" << empty << empty;
        QTest::newRow("TX out of range leaves RX")
            << 2 << "480.00000" << QStringList{"462.56250", "", "OFF", "OFF", "No", "W", "High"}
            << QStringList{"462.56250", "", "OFF", "OFF", "No", "W", "High"};
    }
    void rowDefaults()
    {
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        Fixture f;
        before[col - 1] = text;
        QList<QStringList> channels(16, QStringList(7, QString()));
        channels[9] = before;
        f.grid->setChannelTexts(channels);
        f.grid->grid()->moveTo(10, col);
        f.leave();
        QCOMPARE(f.row(10), after);
    }

    void defaultsOverwriteWhenTheTableSaysSo()
    {
        GridDescription overwriting = HeronGrid();
        overwriting.defaultsOverwrite = true;
        Fixture f;
        f.grid->setDescription(overwriting);
        f.grid->setChannelTexts({{"462.56250", "440.00000", "D023N", "67.0", "Yes", "N", "Low"}});
        f.grid->grid()->moveTo(1, 1);
        f.leave();
        QCOMPARE(f.row(1), (QStringList{"462.56250", "462.56250", "OFF", "OFF", "No", "W", "High"}));
    }

    void pickOnlyListsWhenTheTableSaysSo()
    {
        GridDescription pickOnly = HeronGrid();
        pickOnly.presetListEditors = false;
        pickOnly.listTypingReachesCell = false;
        pickOnly.listEnterChecks = false;
        Fixture f;
        f.grid->setDescription(pickOnly);
        f.grid->setCellText(2, 5, "Yes");
        f.grid->clickCell(2, 5);
        QCOMPARE(f.itemEditor()->currentIndex(), -1);
        QCOMPARE(f.cell(2, 5), QString("Yes"));
        f.grid->setCellText(3, 3, "67.0");
        f.grid->clickCell(3, 3);
        QTest::keyClicks(f.toneEditor(), "D023N");
        QTest::keyClick(f.toneEditor(), Qt::Key_Return);
        QCOMPARE(f.cell(3, 3), QString("67.0"));
        QVERIFY(f.toneEditor()->isVisible());
        QCOMPARE(f.dialogs.shown.size(), 0);
        f.toneEditor()->setCurrentIndex(2);
        QCOMPARE(f.cell(3, 3), QString("69.3"));
    }

    void tickHidesEditorOnceFocusLeavesFrame()
    {
        Fixture f;
        f.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.grid->clickCell(2, 1);
        QTest::keyClicks(f.rxEditor(), "46");
        QVERIFY(f.rxEditor()->hasFocus());
        f.grid->Timer_Timer();
        QCOMPARE(f.visibleEditors(), QStringList{"txtTxFreq"});
        f.grid->grid()->setFocus();
        f.grid->Timer_Timer();
        QCOMPARE(f.visibleEditors(), QStringList{"txtTxFreq"});
        f.outside->setFocus();
        f.grid->Timer_Timer();
        QCOMPARE(f.visibleEditors(), QStringList());
        // The cell keeps what was typed, unchecked.
        QCOMPARE(f.cell(2, 1), QString("046.00000"));
    }

    void tickWaitsWhileAnotherWindowIsActive()
    {
        Fixture f;
        f.grid->clickCell(2, 6);
        f.outside->setFocus();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        f.grid->Timer_Timer();
        QCOMPARE(f.visibleEditors(), QStringList{"cmbCKTX1"});
    }

    // Typed letters and digits go nowhere while the grid has the focus; a
    // pick then lands in the cell under the list.
    void typingIntoTheGridMovesNothing()
    {
        Fixture f;
        f.activate();
        f.grid->setCellText(5, 7, "High");
        f.grid->setCellText(9, 7, "Low");
        f.mouseClick(2, 7);
        QCOMPARE(f.visibleEditors(), QStringList{"cmbCKTX1"});
        QVERIFY(f.grid->grid()->hasFocus());
        QTest::keyClicks(f.grid->grid(), "hL19m");
        QCOMPARE(f.grid->grid()->Row(), 2);
        QCOMPARE(f.grid->grid()->Col(), 7);
        QCOMPARE(f.visibleEditors(), QStringList{"cmbCKTX1"});
        f.itemEditor()->setCurrentIndex(1);
        QCOMPARE(f.cell(2, 7), QString("Middle"));
        QCOMPARE(f.cell(5, 7), QString("High"));
        QCOMPARE(f.cell(9, 7), QString("Low"));
    }

    void keyboardMoveClosesTheOpenEditor_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toCol");
        QTest::newRow("list, Down") << 5 << int(Qt::Key_Down) << 4 << 5;
        QTest::newRow("list, Up") << 7 << int(Qt::Key_Up) << 2 << 7;
        QTest::newRow("tone list, Right") << 3 << int(Qt::Key_Right) << 3 << 4;
        QTest::newRow("tone list, Left") << 4 << int(Qt::Key_Left) << 3 << 3;
    }
    void keyboardMoveClosesTheOpenEditor()
    {
        QFETCH(int, col);
        QFETCH(int, key);
        QFETCH(int, toRow);
        QFETCH(int, toCol);
        Fixture f;
        f.activate();
        f.mouseClick(3, col);
        QCOMPARE(f.visibleEditors().size(), 1);
        QTest::keyClick(f.grid->grid(), Qt::Key(key));
        QCOMPARE(f.grid->grid()->Row(), toRow);
        QCOMPARE(f.grid->grid()->Col(), toCol);
        QCOMPARE(f.visibleEditors(), QStringList());
        QCOMPARE(f.cell(3, col), QString("OFF")); // the old cell was checked
        // A pick that reaches the hidden list writes nowhere.
        QComboBox *combo = col <= 4 ? f.toneEditor() : f.itemEditor();
        combo->setCurrentIndex(combo->count() - 1);
        QCOMPARE(f.cell(toRow, toCol), QString());
        QCOMPARE(f.cell(3, col), QString("OFF"));
    }

    void frequencyEditorKeysStayWithTheirCell()
    {
        Fixture f;
        f.activate();
        f.mouseClick(4, 1);
        QTest::keyClicks(f.rxEditor(), "462.5");
        // Arrow keys move the text cursor; Tab checks the cell and moves on.
        for (Qt::Key k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End})
            QTest::keyClick(f.rxEditor(), k);
        QCOMPARE(f.grid->grid()->Row(), 4);
        QCOMPARE(f.cell(4, 1), QString("462.50000"));
        QTest::keyClick(f.rxEditor(), Qt::Key_Tab);
        f.grid->Timer_Timer();
        QCOMPARE(f.cell(4, 1), QString("462.50000"));
        QCOMPARE(f.row(3), QStringList(7, QString()));
        QCOMPARE(f.row(5), QStringList(7, QString()));
    }

    // Tab and Shift+Tab run the check of leaving the cell, row by row; the
    // first and last cells are checked in place. The keys stay with the grid.
    void tabMovesToTheNextCell_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toCol");
        QTest::addColumn<QStringList>("checkedRow"); // the row left, after its check
        const QStringList typedRow{"462.56250", "462.56250", "OFF", "OFF", "No", "W", "High"};
        QStringList lastEmpty(7, QString());
        lastEmpty[6] = "OFF";
        QTest::newRow("frequency, Tab") << 4 << 1 << false << 4 << 2 << typedRow;
        QTest::newRow("first cell, Shift+Tab stays") << 1 << 1 << true << 1 << 1 << typedRow;
        QTest::newRow("list with the focus, Tab wraps") << 4 << 7 << false << 5 << 1 << lastEmpty;
        QTest::newRow("last cell, Tab stays") << 16 << 7 << false << 16 << 7 << lastEmpty;
    }
    void tabMovesToTheNextCell()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(bool, backwards);
        QFETCH(int, toRow);
        QFETCH(int, toCol);
        QFETCH(QStringList, checkedRow);
        Fixture f;
        f.activate();
        f.mouseClick(row, col);
        QWidget *typedInto = f.rxEditor();
        if (col == 1) {
            QTest::keyClicks(f.rxEditor(), "462.5625");
        } else {
            typedInto = f.itemEditor();
            QTest::mouseClick(f.itemEditor()->lineEdit(), Qt::LeftButton);
            QVERIFY(f.itemEditor()->hasFocus());
        }
        if (backwards)
            QTest::keyClick(typedInto, Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(typedInto, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.grid->grid());
        QCOMPARE(f.grid->grid()->Row(), toRow);
        QCOMPARE(f.grid->grid()->Col(), toCol);
        QCOMPARE(f.visibleEditors(), QStringList());
        QCOMPARE(f.row(row), checkedRow);
        QCOMPARE(f.dialogs.shown.size(), 0);
    }

    void openEditorFollowsItsCellWhenScrolled_data()
    {
        QTest::addColumn<bool>("hideOnScroll");
        QTest::addColumn<int>("col");
        QTest::newRow("frequency editor moves") << false << 1;
        QTest::newRow("list editor moves") << false << 6;
        QTest::newRow("hidden when the table says so") << true << 1;
    }
    void openEditorFollowsItsCellWhenScrolled()
    {
        QFETCH(bool, hideOnScroll);
        QFETCH(int, col);
        GridDescription d = HeronGrid();
        d.hideEditorsOnScroll = hideOnScroll;
        Fixture f;
        f.grid->setDescription(d);
        f.grid->SetupChannelGrid(16);
        f.window.resize(600, 260);
        f.activate();
        QCoreApplication::processEvents();
        QVERIFY(f.grid->grid()->verticalScrollBar()->maximum() > 3);
        f.mouseClick(5, col);
        QWidget *editor = f.visibleEditors().size() == 1 ? f.grid->findChild<QWidget *>(f.visibleEditors().at(0)) : nullptr;
        QVERIFY(editor);
        if (col == 1)
            QTest::keyClicks(f.rxEditor(), "46");
        else
            f.itemEditor()->setCurrentIndex(1);
        const QString typed = f.cell(5, col);

        f.wheel(f.grid->grid()->viewport(), -1);
        QVERIFY(f.grid->grid()->verticalScrollBar()->value() > 0);
        if (hideOnScroll) {
            QVERIFY(editor->isHidden());
        } else {
            QVERIFY(f.inSight(5, col));
            QCOMPARE(editor->geometry(), f.cellRectInFrame(5, col));
            QVERIFY(editor->isVisible());
        }
        // Far enough that the cell is out of sight: nothing stands in its place.
        f.wheel(f.grid->grid()->viewport(), -3);
        QVERIFY(!f.inSight(5, col));
        QVERIFY(editor->isHidden());
        f.wheel(f.grid->grid()->viewport(), 8);
        QCOMPARE(f.grid->grid()->verticalScrollBar()->value(), 0);
        QCOMPARE(editor->isVisible(), !hideOnScroll);
        if (!hideOnScroll)
            QCOMPARE(editor->geometry(), f.cellRectInFrame(5, col));
        QCOMPARE(f.cell(5, col), typed);
        for (int r = 2; r <= 16; ++r) // row 1 holds the first current cell, checked when left
            if (r != 5)
                QCOMPARE(f.row(r), QStringList(7, QString()));
    }

    void partlyHiddenCellCutsItsEditor()
    {
        Fixture f;
        f.window.resize(600, 260);
        f.activate();
        QCoreApplication::processEvents();
        GridTable *t = f.grid->grid();
        f.mouseClick(2, 2);
        t->verticalScrollBar()->setValue(1);
        // Row 2 is now the first row in sight; half a row more and it is cut at the title row.
        const QRect view = t->viewport()->geometry().translated(t->pos());
        const QRect cell = f.cellRectInFrame(2, 2);
        QCOMPARE(f.txEditor()->geometry(), cell);
        if (!view.contains(cell)) {
            QVERIFY(f.txEditor()->mask().boundingRect().translated(cell.topLeft()) == (cell & view));
        }
        QVERIFY(view.intersects(f.txEditor()->geometry()));
    }

    void releaseOfTheEnterThatClosedTheMessageIsIgnored()
    {
        Fixture f;
        f.activate();
        f.grid->clickCell(6, 3);
        QTest::mouseClick(f.toneEditor()->lineEdit(), Qt::LeftButton);
        QWidget *focused = QApplication::focusWidget();
        f.toneEditor()->clearEditText();
        QTest::keyClicks(focused, "d023n");
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE(f.dialogs.texts(), QStringList{kNotInList});
        // The message box took the press of the next Enter; its release comes back here.
        QTest::keyRelease(focused, Qt::Key_Return);
        QCOMPARE(f.dialogs.texts(), QStringList{kNotInList});
        QVERIFY(f.toneEditor()->isVisible());
        // A whole new Enter still checks.
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE(f.dialogs.texts().size(), 2);
    }

    void enterInTheOpenListPicksAndCloses()
    {
        Fixture f;
        f.activate();
        f.mouseClick(7, 7);
        QComboBox *combo = f.itemEditor();
        QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 4, combo->height() / 2));
        QTRY_VERIFY(combo->view()->isVisible());
        QTest::keyClick(combo->view(), Qt::Key_Down);
        QTest::keyPress(combo->view(), Qt::Key_Return);
        QTRY_VERIFY(!combo->view()->isVisible());
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.cell(7, 7), QString("Middle"));
        QCOMPARE(f.visibleEditors(), QStringList());
        QCOMPARE(f.dialogs.shown.size(), 0);
        QCOMPARE(f.grid->grid()->Row(), 7);
    }

    void editorShowsItsOwnCell_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("first");  // text of the cell opened first
        QTest::addColumn<QString>("second"); // text of the cell opened next, in another row
        QTest::addColumn<QString>("shown");  // what the editor shows over the second
        QTest::newRow("tone list over an empty cell") << 3 << "67.0" << "" << "";
        QTest::newRow("tone list over a text not listed") << 4 << "D023N" << "x1" << "x1";
        QTest::newRow("item list over an empty cell") << 7 << "Low" << "" << "";
        QTest::newRow("frequency over an empty cell") << 1 << "462.56250" << "" << "";
        QTest::newRow("frequency over OFF") << 2 << "462.56250" << "OFF" << "OFF";
    }
    void editorShowsItsOwnCell()
    {
        QFETCH(int, col);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, shown);
        Fixture f;
        f.activate();
        f.grid->setCellText(2, col, first);
        f.grid->setCellText(6, col, second);
        f.mouseClick(2, col);
        f.mouseClick(6, col);
        QWidget *w = f.grid->findChild<QWidget *>(f.visibleEditors().value(0));
        QVERIFY(w);
        if (auto *line = qobject_cast<QLineEdit *>(w))
            QCOMPARE(line->text(), shown);
        else
            QCOMPARE(qobject_cast<QComboBox *>(w)->currentText(), shown);
        QCOMPARE(f.cell(6, col), second);
        QCOMPARE(f.cell(2, col), first);
    }

    void pastingLongTextKeepsEveryCell()
    {
        Fixture f;
        f.activate();
        f.grid->setCellText(1, 1, "462.56250");
        f.mouseClick(3, 1);
        QGuiApplication::clipboard()->setText(QString(3000, QLatin1Char('7')));
        QTest::keyClick(f.rxEditor(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.cell(3, 1).size(), 3006);
        QTest::keyClick(f.rxEditor(), Qt::Key_Return);
        QCOMPARE(f.dialogs.texts(), QStringList{kRange});
        QCOMPARE(f.cell(3, 1), QString());

        f.mouseClick(4, 3);
        QTest::mouseClick(f.toneEditor()->lineEdit(), Qt::LeftButton);
        QGuiApplication::clipboard()->setText(QString(3000, QLatin1Char('x')));
        f.toneEditor()->lineEdit()->selectAll();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.cell(4, 3), QString(3000, QLatin1Char('x')));
        QCOMPARE(f.toneEditor()->geometry(), f.cellRectInFrame(4, 3));
        QCOMPARE(f.cell(1, 1), QString("462.56250"));
        for (int r = 5; r <= 16; ++r)
            QCOMPARE(f.row(r), QStringList(7, QString()));
    }

    void listEditorsHaveTheCellsHeightAndTheGridsFont()
    {
        Fixture f;
        for (const QSize size : {QSize(600, 400), QSize(1600, 1200)}) {
            f.window.resize(size);
            QFont font = f.grid->grid()->font();
            font.setPointSizeF(size.width() / 80.0);
            f.grid->grid()->setFont(font);
            QCoreApplication::processEvents();
            for (int col : {3, 6}) {
                f.mouseClick(2, col);
                QWidget *w = f.grid->findChild<QWidget *>(f.visibleEditors().value(0));
                QVERIFY(w);
                QCOMPARE(w->geometry(), f.cellRectInFrame(2, col));
                QCOMPARE(w->font(), f.grid->grid()->font());
            }
        }
    }
};

QTEST_MAIN(TstChannelGrid)
#include "tst_channelgrid.moc"
