#include "alertsconfig.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

AlertsConfig::AlertsConfig(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        tr("When the game asks something of you while its window is in the background:"), this);
    intro->setObjectName(QStringLiteral("AlertsIntro"));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_flash = new QCheckBox(tr("Flash the window in the task bar"), this);
    m_flash->setObjectName(QStringLiteral("AlertFlashBox"));
    m_desktop = new QCheckBox(tr("Show a desktop notification"), this);
    m_desktop->setObjectName(QStringLiteral("AlertDesktopBox"));
    m_sound = new QCheckBox(tr("Play a short sound"), this);
    m_sound->setObjectName(QStringLiteral("AlertSoundBox"));
    auto* test = new QPushButton(tr("Listen"), this);
    test->setObjectName(QStringLiteral("AlertSoundTest"));
    test->setAutoDefault(false);

    layout->addWidget(m_flash);
    layout->addWidget(m_desktop);
    auto* soundRow = new QHBoxLayout;
    soundRow->addWidget(m_sound);
    soundRow->addWidget(test);
    soundRow->addStretch();
    layout->addLayout(soundRow);
    layout->addStretch();

    for (QCheckBox* box : {m_flash, m_desktop, m_sound})
        connect(box, &QCheckBox::toggled, this, &AlertsConfig::announce);
    connect(test, &QPushButton::clicked, this, &AlertsConfig::trySound);
}

bool AlertsConfig::flash() const
{
    return m_flash->isChecked();
}

bool AlertsConfig::desktop() const
{
    return m_desktop->isChecked();
}

bool AlertsConfig::sound() const
{
    return m_sound->isChecked();
}

void AlertsConfig::setSwitches(bool flash, bool desktop, bool sound)
{
    const QSignalBlocker a(m_flash);
    const QSignalBlocker b(m_desktop);
    const QSignalBlocker c(m_sound);
    m_flash->setChecked(flash);
    m_desktop->setChecked(desktop);
    m_sound->setChecked(sound);
}

void AlertsConfig::announce()
{
    emit switchesChanged(flash(), desktop(), sound());
}
