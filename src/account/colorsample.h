#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A swatch showing a text colour on a background colour, used for the seats'
// colours and for the colour being edited. Clicking it emits clicked().
class ColorSample : public QWidget
{
    Q_OBJECT

public:
    explicit ColorSample(QWidget* parent = nullptr, const QString& name = {});

    QString text() const { return m_text; }
    QColor textColor() const { return m_textColor; }
    QColor backgroundColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void setText(const QString& text);
    void setTextColor(const QColor& color);
    void setColors(const QColor& textColor, const QColor& backgroundColor);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor m_textColor = Qt::black;
    QString m_text;
    bool m_pressed = false;
};
