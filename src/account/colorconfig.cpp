#include "colorconfig.h"

#include "coloreditor.h"
#include "colorsample.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>

namespace {

struct SeatColors
{
    Qt::GlobalColor text;
    Qt::GlobalColor background;
};

constexpr SeatColors DefaultScheme[ColorConfig::Seats] = {
    {Qt::black, Qt::yellow}, {Qt::white, Qt::red},   {Qt::black, Qt::cyan},
    {Qt::white, Qt::blue},   {Qt::black, Qt::green}, {Qt::black, Qt::magenta},
};

} // namespace

ColorConfig::ColorConfig(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
    setMinimumSize(300, 300);

    m_mainLayout = new QGridLayout(this);
    m_mainLayout->setContentsMargins(5, 5, 5, 5);
    m_mainLayout->setSpacing(10);

    m_playerBox = new QGroupBox(tr("Players"), this);
    m_playerBox->setObjectName(QStringLiteral("PlayerGroupbox"));
    auto* playerGrid = new QGridLayout(m_playerBox);
    playerGrid->setContentsMargins(12, 12, 12, 12);
    playerGrid->setSpacing(4);
    playerGrid->setColumnStretch(0, 0);
    playerGrid->setColumnStretch(1, 1);

    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    for (int seat = 0; seat < Seats; ++seat) {
        const QString label = tr("Player %1").arg(seat + 1);
        auto* radio = new QRadioButton(QStringLiteral("  "), m_playerBox);
        radio->setObjectName(QStringLiteral("PlayerCheckbox"));
        radio->setAccessibleName(label);
        m_group->addButton(radio, seat);
        auto* sample = new ColorSample(m_playerBox, QStringLiteral("PlayerSample"));
        sample->setText(label);
        sample->setColors(defaultTextColor(seat), defaultBackgroundColor(seat));
        sample->setCursor(Qt::PointingHandCursor);
        playerGrid->addWidget(radio, seat, 0);
        playerGrid->addWidget(sample, seat, 1);
        m_radios.append(radio);
        m_samples.append(sample);
        connect(radio, &QRadioButton::clicked, this, &ColorConfig::radioToggled);
        connect(sample, &ColorSample::clicked, this, &ColorConfig::sampleClicked);
    }
    m_mainLayout->addWidget(m_playerBox, 0, 0);

    m_colorBox = new QGroupBox(tr("Color"), this);
    m_colorBox->setObjectName(QStringLiteral("ColorGroupBox"));
    auto* colorGrid = new QGridLayout(m_colorBox);
    colorGrid->setContentsMargins(15, 15, 15, 15);
    colorGrid->setSpacing(0);
    m_editor = new ColorEditor(m_colorBox, QStringLiteral("ColorEditor"));
    colorGrid->addWidget(m_editor, 0, 0);
    m_mainLayout->addWidget(m_colorBox, 0, 1);

    connect(m_editor, &ColorEditor::useColor, this, &ColorConfig::useColor);

    m_radios.first()->setChecked(true);
    radioToggled();
}

QColor ColorConfig::defaultTextColor(int seat)
{
    if (seat < 0 || seat >= Seats)
        return Qt::white;
    return DefaultScheme[seat].text;
}

QColor ColorConfig::defaultBackgroundColor(int seat)
{
    if (seat < 0 || seat >= Seats)
        return Qt::white;
    return DefaultScheme[seat].background;
}

QColor ColorConfig::textColor(int seat) const
{
    if (seat < 0 || seat >= Seats)
        return Qt::white;
    return m_samples[seat]->textColor();
}

QColor ColorConfig::backgroundColor(int seat) const
{
    if (seat < 0 || seat >= Seats)
        return Qt::white;
    return m_samples[seat]->backgroundColor();
}

int ColorConfig::selectedSeat() const
{
    return m_group->checkedId();
}

void ColorConfig::useColor()
{
    const int seat = selectedSeat();
    if (seat < 0)
        return;
    m_samples[seat]->setColors(m_editor->textColor(), m_editor->backgroundColor());
    emit colorChanged(seat);
}

void ColorConfig::radioToggled()
{
    const int seat = selectedSeat();
    if (seat >= 0)
        m_editor->setColors(m_samples[seat]->textColor(), m_samples[seat]->backgroundColor());
}

void ColorConfig::sampleClicked()
{
    const int seat = int(m_samples.indexOf(qobject_cast<ColorSample*>(sender())));
    // Clicking the selected seat again keeps the colours being edited.
    if (seat < 0 || m_radios[seat]->isChecked())
        return;
    m_radios[seat]->setChecked(true);
    radioToggled();
}
