#pragma once

#include <QColor>
#include <QWidget>

class ColorSample;
class QCheckBox;
class QGridLayout;
class QPushButton;
class QSlider;

// Edits a text and background colour pair with three sliders; the check box
// chooses which of the two the sliders change. "Use this color" hands the
// pair back through useColor().
class ColorEditor : public QWidget
{
    Q_OBJECT

public:
    explicit ColorEditor(QWidget* parent = nullptr, const QString& name = {});

    QColor textColor() const;
    QColor backgroundColor() const;

public slots:
    void setColors(const QColor& textColor, const QColor& backgroundColor);

signals:
    void useColor();

private slots:
    void sliderChanged(int value);
    void checkboxClicked();

private:
    QColor editedColor() const;
    void showOnSliders(const QColor& color);

    QGridLayout* m_layout = nullptr;
    ColorSample* m_sample = nullptr;
    QSlider* m_red = nullptr;
    QSlider* m_green = nullptr;
    QSlider* m_blue = nullptr;
    QCheckBox* m_textBox = nullptr;
    QPushButton* m_useButton = nullptr;
};
