#include "frmDK.h"

#include "PortList.h"
#include "UserDialogs.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmDK::frmDK(UserDialogs &dialogs, int dkh, int currentPort, std::function<void()> closePort, QWidget *parent)
    : QDialog(parent), DKH(dkh), m_dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("Port "));
    setObjectName(QStringLiteral("frmDK"));

    auto *grid = new QGridLayout;
    for (int i = 0; i < kButtons; ++i) {
        optDK[i] = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), this);
        optDK[i]->setObjectName(QStringLiteral("optDK%1").arg(i));
        optDK[i]->setEnabled(false);
        lblDevice[i] = new QLabel(this);
        lblDevice[i]->setObjectName(QStringLiteral("lblDevice%1").arg(i));
        grid->addWidget(optDK[i], i, 0);
        grid->addWidget(lblDevice[i], i, 1);
        connect(optDK[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optDK_Click(i);
        });
    }
    lblNote = new QLabel(this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    cmdQD = new QPushButton(QStringLiteral("Ok"), this);
    cmdQD->setObjectName(QStringLiteral("cmdQD"));
    cmdQD->setDefault(true);
    connect(cmdQD, &QPushButton::clicked, this, &frmDK::cmdQD_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(lblNote);
    layout->addWidget(cmdQD, 0, Qt::AlignRight);

    m_ports = ListSerialPorts();
    if (closePort)
        closePort();

    const int shown = std::min<int>(m_ports.size(), kButtons);
    for (int i = 0; i < shown; ++i) {
        optDK[i]->setEnabled(true);
        lblDevice[i]->setText(QDir::toNativeSeparators(m_ports.at(i)));
    }
    for (int i = 0; i < shown; ++i) {
        if (i == currentPort - 1)
            optDK[i]->setChecked(true);
    }

    if (m_ports.isEmpty())
        lblNote->setText(QStringLiteral("No serial port was found. Connect the programming cable, or list "
                                        "device paths in RADIO_SERIAL_PORTS."));
    else if (m_ports.size() > kButtons)
        lblNote->setText(QStringLiteral("%1 further ports are not offered here; list the wanted device paths "
                                        "first in RADIO_SERIAL_PORTS to choose one of them.")
                             .arg(m_ports.size() - kButtons));
    lblNote->setVisible(!lblNote->text().isEmpty());
}

void frmDK::optDK_Click(int index)
{
    DKH = index;
}

void frmDK::cmdQD_Click()
{
    // Without a port to choose there is nothing to confirm.
    if (!m_ports.isEmpty())
        m_dialogs.message(this, QStringLiteral("Select COM%1").arg(DKH + 1),
                          QStringLiteral("Setup Communication Port"), UserDialogs::Icon::Information);
    accept();
}
