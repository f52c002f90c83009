#include "boardpanel.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

BoardPanel::BoardPanel(QWidget* board) : QFrame(board)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    // The board paints its sea through its palette; the panel keeps the
    // application's colours whatever the board's are.
    const QPalette application = QApplication::palette();
    QPalette own = palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = QPalette::ColorRole(role);
        if (r == QPalette::NoRole)
            continue;
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            own.setBrush(group, r, application.brush(group, r));
    }
    setPalette(own);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);

    m_body = new QVBoxLayout(this);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("PanelTitle"));
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    m_title->setFont(bold);
    m_title->setAlignment(Qt::AlignHCenter);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("PanelText"));
    m_text->setAlignment(Qt::AlignHCenter);
    m_text->setWordWrap(true);
    m_text->hide();
    m_body->addWidget(m_title);
    m_body->addWidget(m_text);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_leave = new QPushButton(tr("Leave game"), this);
    m_leave->setObjectName(QStringLiteral("PanelLeave"));
    m_close = new QPushButton(tr("Close"), this);
    m_close->setObjectName(QStringLiteral("PanelClose"));
    m_close->setDefault(true);
    buttons->addWidget(m_leave);
    buttons->addWidget(m_close);
    m_body->addLayout(buttons);
    connect(m_leave, &QPushButton::clicked, this, &BoardPanel::leaveClicked);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);

    board->installEventFilter(this);
    hide();
}

void BoardPanel::setTitle(const QString& text)
{
    m_title->setText(text);
}

void BoardPanel::setText(const QString& text)
{
    m_text->setText(text);
    m_text->setVisible(!text.isEmpty());
}

QString BoardPanel::title() const
{
    return m_title->text();
}

QString BoardPanel::text() const
{
    return m_text->text();
}

void BoardPanel::popUp()
{
    show();
    raise();
    place();
}

bool BoardPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize && isVisible())
        place();
    return QFrame::eventFilter(watched, event);
}

void BoardPanel::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    place();
}

void BoardPanel::place()
{
    const QWidget* board = parentWidget();
    if (!board)
        return;
    const int margin = fontMetrics().height();
    const QSize room = board->size() - QSize(2 * margin, 2 * margin);
    const QSize wanted = sizeHint().expandedTo(minimumSizeHint());
    const QSize size(std::min(wanted.width(), std::max(room.width(), 0)),
                     std::min(wanted.height(), std::max(room.height(), 0)));
    setGeometry((board->width() - size.width()) / 2, margin, size.width(), size.height());
}
