#include "frmJXXZ.h"

#include "UserDialogs.h"
#include "WidgetRules.h"
#include "frmSplash.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int kTwipsPerPixel = 15;

QRect twips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

// Keeps a control's place but lets it grow to the size its font needs,
// around the same middle.
void place(QWidget *w, QRect r)
{
    r.setWidth(qMax(r.width(), w->sizeHint().width()));
    const int h = qMax(r.height(), w->sizeHint().height());
    r.adjust(0, (r.height() - h) / 2, 0, (r.height() - h) / 2 + h - r.height());
    w->setGeometry(r);
}

} // namespace

frmJXXZ::frmJXXZ(UserDialogs &dialogs, const QStringList &models, QString &strjx, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_models(models), m_strjx(strjx)
{
    initCommonImages();
    setObjectName(QStringLiteral("frmJXXZ"));
    setWindowTitle(QStringLiteral("Model Type Choose"));
    setFixedSize(twips(0, 0, 4665, 1245).size());

    Label1 = new QLabel(QStringLiteral("New Type:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbJX = new QComboBox(this);
    cmbJX->setObjectName(QStringLiteral("cmbJX"));
    cmbJX->setEditable(true);
    cmbJX->addItems(m_models);
    // A typed name is taken as typed ("QZ2" stays "QZ2", not completed to an item).
    KeepTypedText(cmbJX);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    place(Label1, twips(630, 390, 810, 180));
    place(cmbJX, twips(1830, 330, 2085, 300));
    place(cmdOK, twips(1530, 810, 1140, 330));

    connect(cmdOK, &QPushButton::clicked, this, &frmJXXZ::cmdOK_Click);
}

void frmJXXZ::showEvent(QShowEvent *event)
{
    cmbJX->setCurrentIndex(m_models.isEmpty() ? -1 : 0);
    m_chosen = -1;
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void frmJXXZ::cmdOK_Click()
{
    const QString text = cmbJX->currentText();
    // Only a model of the list has a known code and layout; a name that
    // differs from an item, in case too, is none of them.
    const int position = cmbJX->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (position < 0) {
        m_dialogs.message(this,
                          QStringLiteral("\"%1\" is not a model of the list. Choose one of: %2.")
                              .arg(text, m_models.join(QStringLiteral(", "))),
                          windowTitle(), UserDialogs::Icon::Information);
        cmbJX->setFocus();
        cmbJX->lineEdit()->selectAll();
        return;
    }
    m_chosen = position;
    m_strjx = text;
    strMenuItem.clear();
    for (int i = 0; i <= cmbJX->count(); ++i)
        strMenuItem += cmbJX->itemText(i) + QLatin1Char(';');
    accept();
}
