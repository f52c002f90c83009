#include "connectstatus.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

ConnectStatus::ConnectStatus(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ConnectStatus"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Spacing);
    m_busy = new QProgressBar(this);
    m_busy->setObjectName(QStringLiteral("ConnectBusy"));
    // No end is known: the bar runs to and fro.
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setFixedWidth(fontMetrics().averageCharWidth() * 8);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("ConnectText"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    layout->addWidget(m_busy, 0, Qt::AlignTop);
    layout->addWidget(m_text, 1);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    hide();
}

void ConnectStatus::showBusy(const QString& text)
{
    m_text->setText(text);
    m_text->setPalette(QPalette());
    m_busy->show();
    show();
}

void ConnectStatus::showFailure(const QString& text)
{
    m_text->setText(text);
    QPalette red = m_text->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_text->setPalette(red);
    m_busy->hide();
    show();
}

void ConnectStatus::clear()
{
    m_text->clear();
    hide();
}

bool ConnectStatus::isBusy() const
{
    return !isHidden() && !m_busy->isHidden();
}

QString ConnectStatus::text() const
{
    return isHidden() ? QString() : m_text->text();
}

bool ConnectStatus::hasHeightForWidth() const
{
    return true;
}

int ConnectStatus::heightForWidth(int width) const
{
    const int textWidth = m_busy->isHidden() ? width : width - m_busy->width() - Spacing;
    return std::max(m_text->heightForWidth(std::max(textWidth, 1)),
                    m_busy->isHidden() ? 0 : m_busy->sizeHint().height());
}

QSize ConnectStatus::sizeHint() const
{
    const int width = QWidget::sizeHint().width();
    return {width, heightForWidth(width)};
}
