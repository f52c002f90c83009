#include "configdialog.h"

#include "alertsconfig.h"
#include "colorconfig.h"
#include "datadirectories.h"
#include "fontsconfig.h"

#include <QIcon>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

ConfigDialog::ConfigDialog(QWidget* parent, const QString& name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setObjectName(name);
    setModal(modal);
    setWindowIcon(QIcon(DataDirectories::resolve(QStringLiteral("WinIcons/Dice.png"))));
    setWindowTitle(tr("QtTarvenixGame -- Configuration"));
    setWindowIconText(tr("QtTarvenixGame -- Configuration"));

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(10, 10, 10, 10);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("ConfigTabs"));
    m_colors = new ColorConfig(m_tabs, QStringLiteral("ColorsTab"));
    m_fonts = new FontsConfig(m_tabs, QStringLiteral("FontsTab"));
    m_tabs->addTab(m_colors, tr("Colors"));
    m_tabs->addTab(m_fonts, tr("Fonts"));
    m_alerts = new AlertsConfig(m_tabs, QStringLiteral("AlertsTab"));
    m_tabs->addTab(m_alerts, tr("Notifications"));
    m_layout->addWidget(m_tabs);

    m_closeButton = new QPushButton(tr("Close window"), this);
    m_closeButton->setObjectName(QStringLiteral("CloseButton"));
    m_closeButton->setAutoDefault(false);
    m_layout->addWidget(m_closeButton, 0, Qt::AlignRight);

    connect(m_closeButton, &QPushButton::clicked, this, &ConfigDialog::hide);
    connect(m_colors, &ColorConfig::colorChanged, this, &ConfigDialog::colorChanged);
    connect(m_fonts, &FontsConfig::chatboxFont, this, &ConfigDialog::chatboxFont);
    connect(m_fonts, &FontsConfig::gameOutputFont, this, &ConfigDialog::gameOutputFont);
}

QColor ConfigDialog::textColor(int seat) const
{
    return m_colors->textColor(seat);
}

QColor ConfigDialog::backgroundColor(int seat) const
{
    return m_colors->backgroundColor(seat);
}

void ConfigDialog::fireFonts()
{
    m_fonts->fireFonts();
}
