#include "FakeUserDialogs.h"
#include "RadioWindow.h"
#include "TestSupport.h"
#include "WhenModal.h"
#include "core/ChpFile.h"
#include "core/FamilyA.h"
#include "core/FamilyB.h"
#include "core/FamilyC.h"
#include "editor/ChannelGrid.h"
#include "editor/mainFrm.h"
#include "heron/HeronFamily.h"
#include "osprey/OspreyFamily.h"
#include "pelican/PelicanFamily.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

using namespace core;

namespace {

using testsupport::bytesOf;
using testsupport::whenModal;

// What a window of each family needs here: its description, its simulator,
// the model its model question is answered with, and a state of that model.
struct FamilyCase {
    const Family &family;
    QString simFamily;
    int modelPosition; // the model question's answer; -1: a family that does not ask
    std::function<EditorState()> state;
    std::function<Result<MemoryImage>(const EditorState &, Target)> build;
};

FamilyCase familyCase(const QString &name)
{
    if (name == "Heron")
        return {HeronFamily(), "B", 1, [] {
                    EditorState s = familyB::StartupState();
                    s.model = "QZ236";
                    s.variant = 1;
                    return s;
                }, familyB::BuildImage};
    if (name == "Pelican")
        return {PelicanFamily(), "A", 4, [] {
                    EditorState s = familyA::StartupState();
                    s.model = "QZ510";
                    s.variant = 1;
                    s.group = "1";
                    s.lists.sound = 1;
                    s.lists.scrambler = 0;
                    s.channels = QList<QStringList>(16, QStringList(familyA::ChannelColumns("1")));
                    return s;
                }, familyA::BuildImage};
    return {OspreyFamily(), "C", -1, [] {
                EditorState s = familyC::StartupState();
                s.variant = 4;
                return s;
            }, familyC::BuildImage};
}

const QStringList kFamilies{"Heron", "Pelican", "Osprey"};

// The option byte of a saved file or of the radio's memory.
int optionByteOf(const QByteArray &chpFile)
{
    return chpFile.mid(24, 2).toInt(nullptr, 16);
}

} // namespace

// What every family's window does alike with the model code and the band
// editor's crystal and IF choices.
class TstFamilyWindows : public QObject, testsupport::RadioWindows {
    Q_OBJECT

    mainFrm *make(const FamilyCase &c, const QByteArray &memory = {})
    {
        openWindow(c.family, {"--family", c.simFamily, "--no-pace"}, memory);
        const int position = c.modelPosition;
        if (position >= 0)
            whenModal([position](QWidget *d) {
                d->findChild<QComboBox *>("cmbJX")->setCurrentIndex(position);
                d->findChild<QPushButton *>("cmdOK")->click();
            }, "frmJXXZ");
        m_window->Form_Activate();
        m_window->grid()->grid()->moveTo(1, 0);
        return m_window.get();
    }

    QAction *action(const QString &name)
    {
        QAction *a = m_window->findChild<QAction *>(name);
        if (!a || !a->isEnabled())
            qFatal("no enabled action %s", qPrintable(name));
        return a;
    }

    // Edit > Test Mode, the password typed in; act runs in the band editor,
    // which is then left by "Save and Exit". Returns the choices it showed.
    QPair<bool, bool> testMode(std::function<void(QWidget *)> act = {})
    {
        QPair<bool, bool> shown{false, false};
        whenModal([&shown, act](QWidget *gate) {
            auto *password = gate->findChild<QLineEdit *>("txtPassword");
            QTest::keyClicks(password, "4815093");
            QTest::mouseClick(gate->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
            whenModal([&shown, act](QWidget *editor) {
                shown = {editor->findChild<QRadioButton *>("optJT1")->isChecked(),
                         editor->findChild<QRadioButton *>("Option1_1")->isChecked()};
                if (act)
                    act(editor);
                auto *tree = editor->findChild<QTreeWidget *>("tremode");
                const auto items = tree->findItems("Save and Exit", Qt::MatchExactly | Qt::MatchRecursive);
                QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items.first()).center());
            }, "frmMODE");
        }, "frmLogin");
        action("mnuTune")->trigger();
        return shown;
    }

    QByteArray saveAs(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        m_dialogs.fileNames.enqueue(path);
        action("mnuSave")->trigger();
        return testsupport::readBytes(path);
    }

private slots:
    // A load or a read sets the crystal and IF choices; the band editor shows
    // them, keeps them when left untouched, and only its buttons change them.
    void bandChoicesAreOneState_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("source"); // "file", "read", or "change" (a file, then 13MHz clicked)
        for (const QString &f : kFamilies)
            for (const char *source : {"file", "read", "change"})
                QTest::addRow("%s %s", qPrintable(f), source) << f << QString(source);
    }
    void bandChoicesAreOneState()
    {
        QFETCH(QString, family);
        QFETCH(QString, source);
        const FamilyCase c = familyCase(family);
        EditorState s = c.state();
        s.lists.moni = 1;
        s.lists.batterySave = 0;
        s.band.crystal14MHz = true;
        s.band.ifNegative = true;
        const MemoryImage image = *c.build(s, Target::File);
        const int loadedByte = image.bytes[4];

        mainFrm *w = make(c, source == "read" ? bytesOf(*c.build(s, Target::Radio)) : QByteArray());
        if (source == "read") {
            action("mnuRead")->trigger();
        } else {
            const QString in = m_dir.filePath("in.chp");
            testsupport::writeFile(in, testsupport::crlf(chp::FormatImage(image)));
            m_dialogs.fileNames.enqueue(in);
            action("mnuOpen")->trigger();
        }
        QCOMPARE(w->band(), s.band);

        const bool change = source == "change";
        const auto shown = testMode([change](QWidget *editor) {
            if (change)
                QTest::mouseClick(editor->findChild<QRadioButton *>("optJT0"), Qt::LeftButton);
        });
        QCOMPARE(shown, qMakePair(true, true));

        // The crystal bit is the third of a group "0" byte, the fifth of a group "1" byte.
        const int crystalBit = s.group == "1" ? 0x08 : 0x20;
        const int expected = change ? loadedByte & ~crystalBit : loadedByte;
        QCOMPARE(optionByteOf(saveAs("out.chp")), expected);
        QCOMPARE(testMode(), qMakePair(!change, true));

        if (source == "read") {
            action("mnuWrite")->trigger();
            QTRY_COMPARE(m_radio->recordedFrames().size(), kBlockCount);
            QCOMPARE(m_radio->recordedFrames().first().mid(24, 2).toInt(nullptr, 16), expected);
        }
    }

    // A model code outside the family's table has no known layout: the file or
    // the radio's image is refused whole, naming the code, and the window stays.
    void unknownModelCodeIsRefused_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("read");
        for (const QString &f : kFamilies)
            for (int code : {0x00, 0x60, 0xFF})
                for (bool read : {false, true})
                    if (!(read && f == "Pelican" && code == 0xFF)) // the simulator plays that one as 53
                        QTest::addRow("%s %02X %s", qPrintable(f), code, read ? "read" : "file") << f << code << read;
    }
    void unknownModelCodeIsRefused()
    {
        QFETCH(QString, family);
        QFETCH(int, code);
        QFETCH(bool, read);
        const FamilyCase c = familyCase(family);
        EditorState s = c.state();
        s.lists.moni = 1;
        s.channels[0][0] = "446.00625";
        MemoryImage image = *c.build(s, read ? Target::Radio : Target::File);
        image.bytes[0] = Byte(code);

        mainFrm *w = make(c, read ? bytesOf(image) : QByteArray());
        w->grid()->setCellText(2, 1, "440.00000");
        const EditorState before = w->currentState();
        const QString hexBefore = w->modelHex();
        if (read) {
            action("mnuRead")->trigger();
        } else {
            const QString in = m_dir.filePath("odd.chp");
            testsupport::writeFile(in, testsupport::crlf(chp::FormatImage(image)));
            m_dialogs.fileNames.enqueue(in);
            action("mnuOpen")->trigger();
        }
        QCOMPARE(m_dialogs.texts().last(), QStringLiteral("The model code 0x%1 names none of this program's models; "
                                                          "nothing was loaded.")
                                               .arg(HexByte(Byte(code))));
        QCOMPARE(w->currentState(), before);
        QCOMPARE(w->modelHex(), hexBefore);
    }
};

QTEST_MAIN(TstFamilyWindows)
#include "tst_familywindows.moc"
