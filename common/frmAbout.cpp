#include "frmAbout.h"

#include "UserDialogs.h"
#include "frmSplash.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

AboutTexts AboutTexts::forProgram(const QString &programTitle, const QString &version)
{
    return {QStringLiteral("About ") + programTitle, programTitle,
            describe(QStringLiteral("Skua program software is a tool for programming QZ serials of QZ_152 and QZ_70 "
                                    "and so on.")),
            QStringLiteral("Version\uFF1A") + version};
}

QString AboutTexts::describe(const QString &firstSentence)
{
    return firstSentence + QLatin1Char('\n') + QString(49, QLatin1Char(' ')) +
           QStringLiteral("You can easily customize the functions by merely several click . ");
}

QStringList frmAbout::defaultSysInfoPrograms()
{
    return {QStringLiteral("hardinfo2"),          QStringLiteral("hardinfo"),
            QStringLiteral("gnome-system-monitor"), QStringLiteral("plasma-systemmonitor"),
            QStringLiteral("ksysguard"),          QStringLiteral("mate-system-monitor"),
            QStringLiteral("lshw-gtk")};
}

namespace {

QFrame *line(QWidget *parent)
{
    auto *f = new QFrame(parent);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

} // namespace

frmAbout::frmAbout(UserDialogs &dialogs, const AboutTexts &texts, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    initCommonImages();
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(texts.caption);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/about.png")));
    Image1->setAlignment(Qt::AlignTop);

    lblTitle = new QLabel(texts.title, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblTitle->setFont(titleFont);
    lblTitle->setWordWrap(true);

    lblDescription = new QLabel(texts.description, this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setTextFormat(Qt::PlainText);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Wide enough for each line of the text, blanks included, so that a line
    // breaks only where the text itself ends it; very long texts still wrap.
    int widest = 0;
    for (const QString &l : texts.description.split(QLatin1Char('\n')))
        widest = qMax(widest, lblDescription->fontMetrics().horizontalAdvance(l));
    lblDescription->setFixedWidth(qBound(330, widest + 8, 720));

    Label1 = new QLabel(texts.version, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setVisible(!texts.version.isEmpty());

    cmdOK = new QPushButton(QStringLiteral("Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("SysInfo"), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);

    auto *text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(Label1);
    text->addSpacing(8);
    text->addWidget(lblDescription);
    text->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addLayout(buttons);

    auto *all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addWidget(line(this));
    all->addWidget(line(this));
    all->addLayout(bottom);
    all->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

void frmAbout::StartSysInfo()
{
    QString path;
    for (const QString &name : sysInfoPrograms) {
        path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            break;
    }
    if (path.isEmpty()) {
        QString text = QStringLiteral("No system information program was found.");
        if (!sysInfoPrograms.isEmpty())
            text += QStringLiteral(" Install one of these: %1.").arg(sysInfoPrograms.join(QStringLiteral(", ")));
        m_dialogs.message(this, text, QString(), UserDialogs::Icon::Information);
        return;
    }
    QProcess process;
    process.setProgram(path);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!process.startDetached())
        m_dialogs.message(this,
                          QStringLiteral("The system information program %1 could not be started: %2")
                              .arg(path, process.errorString()),
                          QString(), UserDialogs::Icon::Critical);
}
