#include "move.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

MoveCountries::MoveCountries(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MoveCountries"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize MoveCountries::sizeHint() const
{
    return {fontMetrics().averageCharWidth() * 40, fontMetrics().height() * 2};
}

QSize MoveCountries::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * 20, fontMetrics().height() * 2};
}

void MoveCountries::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    const QFontMetrics metrics = fontMetrics();
    const int baseline = height() / 2 - metrics.height() + metrics.ascent();
    painter.drawText(0, baseline, first.name);
    painter.drawText(width() - metrics.horizontalAdvance(second.name), baseline, second.name);

    // The number of armies on their way, with the direction they take.
    if (flow != 0) {
        const QString arrow = flow > 0 ? QStringLiteral("%1 \u2192").arg(flow)
                                       : QStringLiteral("\u2190 %1").arg(-flow);
        painter.drawText((width() - metrics.horizontalAdvance(arrow)) / 2,
                         baseline + metrics.height(), arrow);
    }
}

Move::Move(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Move"));
    auto* layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("MoveMainLayout"));
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(5);

    m_countries = new MoveCountries(this);
    layout->addWidget(m_countries);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("MoveSlider"));
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setTickInterval(1);
    m_slider->setPageStep(1);
    layout->addWidget(m_slider);

    auto* buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("MoveButtons"));
    auto* row = new QHBoxLayout(buttons);
    row->setObjectName(QStringLiteral("MoveButtonsLayout"));
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addStretch();
    m_ok = new QPushButton(tr("Ok"), buttons);
    m_ok->setObjectName(QStringLiteral("MoveOk"));
    m_ok->setDefault(true);
    m_reset = new QPushButton(tr("Reset"), buttons);
    m_reset->setObjectName(QStringLiteral("MoveReset"));
    m_cancel = new QPushButton(tr("Cancel"), buttons);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    row->addWidget(m_ok);
    row->addWidget(m_reset);
    row->addWidget(m_cancel);
    layout->addWidget(buttons);
    layout->addStretch();

    // The buttons would take the arrows to move the focus; in this panel they
    // move the slider wherever the focus is.
    for (QPushButton* button : {m_ok, m_reset, m_cancel})
        button->installEventFilter(this);

    connect(m_slider, &QSlider::valueChanged, this, &Move::sliderChanged);
    connect(m_ok, &QPushButton::clicked, this, &Move::okClicked);
    connect(m_reset, &QPushButton::clicked, this, &Move::resetClicked);
    connect(m_cancel, &QPushButton::clicked, this, &Move::cancelClicked);
}

bool Move::isTakeMode() const
{
    return !m_cancel->isEnabled();
}

int Move::value() const
{
    return m_slider->value();
}

void Move::setCountry1(int number, const QString& name, int armies)
{
    m_countries->first = {number, name, armies};
    m_countries->update();
}

void Move::setCountry2(int number, const QString& name, int armies)
{
    m_countries->second = {number, name, armies};
    m_countries->update();
}

void Move::doMove()
{
    // Each country keeps at least one army.
    const int minimum = std::max(1 - m_countries->second.armies, -MoveLimit);
    const int maximum = std::min(m_countries->first.armies - 1, MoveLimit);
    start(minimum, maximum, 0, true);
}

void Move::doTake(int minimum, int maximum)
{
    start(minimum, maximum, maximum, false);
}

void Move::start(int minimum, int maximum, int value, bool cancellable)
{
    m_cancel->setEnabled(cancellable);
    {
        // The range alone may move the value; the one preview that counts is
        // the one for the value set below.
        const QSignalBlocker blocker(m_slider);
        m_slider->setRange(minimum, maximum);
    }
    const int before = m_slider->value();
    m_slider->setValue(value);
    if (m_slider->value() == before)
        sliderChanged(m_slider->value());
    m_ok->setFocus();
}

void Move::sliderChanged(int value)
{
    m_countries->flow = value;
    m_countries->update();
    emit changeCountry(m_countries->first.number, m_countries->first.armies - value);
    emit changeCountry(m_countries->second.number, m_countries->second.armies + value);
}

void Move::okClicked()
{
    const int armies = m_slider->value();
    if (isTakeMode()) {
        emit take(armies);
    } else if (armies == 0) {
        cancelClicked();
    } else if (armies > 0) {
        emit move(m_countries->first.number, m_countries->second.number, armies);
    } else {
        emit move(m_countries->second.number, m_countries->first.number, -armies);
    }
}

void Move::resetClicked()
{
    m_slider->setValue(isTakeMode() ? m_slider->minimum() : 0);
}

void Move::cancelClicked()
{
    emit changeCountry(m_countries->first.number, m_countries->first.armies);
    emit changeCountry(m_countries->second.number, m_countries->second.armies);
    emit cancel();
}

void Move::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        okClicked();
        return;
    case Qt::Key_Escape:
        if (!isTakeMode()) {
            cancelClicked();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

bool Move::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QApplication::sendEvent(m_slider, event);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
