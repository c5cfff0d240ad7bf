#include "frmSplash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

static void initCommonResource()
{
    Q_INIT_RESOURCE(common);
}

void initCommonImages()
{
    static const bool done = (initCommonResource(), true);
    Q_UNUSED(done);
}

frmSplash::frmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    initCommonImages();
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(kClientSize);
    setFocusPolicy(Qt::StrongFocus);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setGeometry(rect());
    m_picture->setScaledContents(true);
    m_picture->setPixmap(QPixmap(QStringLiteral(":/images/splash.jpg")));

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(kShowMs);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::handOver);
}

void frmSplash::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QWidget::showEvent(event);
    if (!m_handedOver && !Timer1.isActive())
        Timer1.start();
    activateWindow();
    setFocus();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    handOver();
}

void frmSplash::handOver()
{
    if (m_handedOver)
        return;
    m_handedOver = true;
    Timer1.stop();
    // The main window appears before the splash goes, so the program never
    // has no window open in between.
    emit showMainWindow();
    close();
}
