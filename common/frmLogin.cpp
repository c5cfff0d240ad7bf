#include "frmLogin.h"

#include "WidgetRules.h"
#include "UserDialogs.h"
#include "frmSplash.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>

namespace {

// Qt's password echo shows the style's bullet; this box shows "*".
class StarEchoStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

frmLogin::frmLogin(UserDialogs &dialogs, QWidget *parent) : QDialog(parent), m_dialogs(dialogs)
{
    initCommonImages();
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Please enter the password"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/login.png")));
    Image1->setAlignment(Qt::AlignTop);

    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    auto *style = new StarEchoStyle;
    style->setParent(txtPassword);
    txtPassword->setStyle(style);
    txtPassword->setMinimumWidth(180);

    cmdOK = new QPushButton(QStringLiteral("Enter"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *grid = new QGridLayout(this);
    grid->addWidget(Image1, 0, 0, 2, 1);
    grid->addWidget(txtPassword, 0, 1);
    grid->addLayout(buttons, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(16);

    setMinimumWidth(TitleBarWidth(windowTitle()));

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
}

QString frmLogin::password()
{
    return QStringLiteral("4815093");
}

void frmLogin::showEvent(QShowEvent *event)
{
    m_attempt = 1;
    LoginSucceeded = false;
    txtPassword->clear();
    txtPassword->setFocus();
    QDialog::showEvent(event);
}

void frmLogin::cmdOK_Click()
{
    if (txtPassword->text() == password()) {
        LoginSucceeded = true;
        accept();
        return;
    }
    m_dialogs.message(this, QStringLiteral("Wrong PassWord!Please try again"), QStringLiteral("Error"),
                      UserDialogs::Icon::Critical);
    if (m_attempt >= kAttempts) {
        reject();
        return;
    }
    ++m_attempt;
    txtPassword->setFocus();
    txtPassword->selectAll();
}

void frmLogin::cmdCancel_Click()
{
    LoginSucceeded = false;
    reject();
}
