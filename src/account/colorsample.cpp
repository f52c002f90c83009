#include "colorsample.h"

#include <QMouseEvent>
#include <QPainter>

ColorSample::ColorSample(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
    setMinimumSize(30, 30);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    // The sample paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor ColorSample::backgroundColor() const
{
    return palette().color(QPalette::Window);
}

QSize ColorSample::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {std::max(30, fm.horizontalAdvance(m_text) + 2 * fm.height()),
            std::max(30, 2 * fm.height())};
}

QSize ColorSample::minimumSizeHint() const
{
    return {30, 30};
}

void ColorSample::setText(const QString& text)
{
    m_text = text;
    updateGeometry();
    update();
}

void ColorSample::setTextColor(const QColor& color)
{
    m_textColor = color;
    update();
}

void ColorSample::setColors(const QColor& textColor, const QColor& backgroundColor)
{
    m_textColor = textColor;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, backgroundColor);
    setPalette(pal);
    update();
}

void ColorSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(backgroundColor());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const QFontMetrics fm = fontMetrics();
    painter.setPen(m_textColor);
    painter.drawText((width() - fm.horizontalAdvance(m_text)) / 2,
                     fm.ascent() + (height() - fm.height()) / 2, m_text);
}

void ColorSample::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QWidget::mousePressEvent(event);
}

void ColorSample::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}
