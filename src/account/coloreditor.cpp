#include "coloreditor.h"

#include "colorsample.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace {

QSlider* makeSlider(QWidget* parent, const char* name, const QString& tip, const QColor& color)
{
    auto* slider = new QSlider(Qt::Vertical, parent);
    // The filled part of each groove shows its channel's colour, as the
    // sliders carry no labels.
    QPalette pal = slider->palette();
    pal.setColor(QPalette::Highlight, color);
    slider->setPalette(pal);
    slider->setObjectName(QLatin1String(name));
    slider->setRange(0, 255);
    slider->setPageStep(10);
    slider->setValue(0);
    slider->setToolTip(tip);
    slider->setAccessibleName(tip);
    return slider;
}

} // namespace

ColorEditor::ColorEditor(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
    setMinimumSize(100, 200);

    m_layout = new QGridLayout(this);
    m_layout->setObjectName(QStringLiteral("ColorEditorLayout"));
    m_layout->setContentsMargins(4, 4, 4, 4);
    m_layout->setSpacing(5);

    m_sample = new ColorSample(this, QStringLiteral("ColorEditorSample"));
    m_sample->setText(tr("Sample text"));
    m_layout->addWidget(m_sample, 0, 0, 1, 3);

    m_red = makeSlider(this, "RedSlider", tr("Red"), QColor(220, 40, 40));
    m_green = makeSlider(this, "GreenSlider", tr("Green"), QColor(40, 170, 40));
    m_blue = makeSlider(this, "BlueSlider", tr("Blue"), QColor(40, 80, 220));
    m_layout->addWidget(m_red, 1, 0, Qt::AlignHCenter);
    m_layout->addWidget(m_green, 1, 1, Qt::AlignHCenter);
    m_layout->addWidget(m_blue, 1, 2, Qt::AlignHCenter);

    m_textBox = new QCheckBox(tr("Text color"), this);
    m_textBox->setObjectName(QStringLiteral("ColorEditorCheckBox"));
    m_layout->addWidget(m_textBox, 2, 0, 1, 3, Qt::AlignHCenter);

    m_useButton = new QPushButton(tr("Use this color"), this);
    m_useButton->setObjectName(QStringLiteral("ColorEditorPushButton"));
    m_layout->addWidget(m_useButton, 3, 0, 1, 3, Qt::AlignHCenter);

    m_layout->setRowStretch(1, 1);

    for (QSlider* slider : {m_red, m_green, m_blue})
        connect(slider, &QSlider::valueChanged, this, &ColorEditor::sliderChanged);
    connect(m_textBox, &QCheckBox::toggled, this, &ColorEditor::checkboxClicked);
    connect(m_useButton, &QPushButton::clicked, this, &ColorEditor::useColor);
}

QColor ColorEditor::textColor() const
{
    return m_sample->textColor();
}

QColor ColorEditor::backgroundColor() const
{
    return m_sample->backgroundColor();
}

void ColorEditor::setColors(const QColor& textColor, const QColor& backgroundColor)
{
    m_sample->setColors(textColor, backgroundColor);
    showOnSliders(editedColor());
}

void ColorEditor::sliderChanged(int)
{
    const QColor color(m_red->value(), m_green->value(), m_blue->value());
    if (m_textBox->isChecked())
        m_sample->setColors(color, m_sample->backgroundColor());
    else
        m_sample->setColors(m_sample->textColor(), color);
}

void ColorEditor::checkboxClicked()
{
    showOnSliders(editedColor());
}

QColor ColorEditor::editedColor() const
{
    return m_textBox->isChecked() ? m_sample->textColor() : m_sample->backgroundColor();
}

void ColorEditor::showOnSliders(const QColor& color)
{
    // Setting one slider at a time would mix the new colour with the old one
    // in between; the sliders only follow the sample here.
    const QSignalBlocker red(m_red);
    const QSignalBlocker green(m_green);
    const QSignalBlocker blue(m_blue);
    m_red->setValue(color.red());
    m_green->setValue(color.green());
    m_blue->setValue(color.blue());
}
