#include "splash.h"

#include "datadirectories.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

Splash::Splash(QWidget* parent)
    : QDialog(parent, Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splash"));
    m_layout = new QGridLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);

    m_picture.load(DataDirectories::resolve(QStringLiteral("Splash/Splash.png")));
    if (m_picture.isNull())
        m_picture = drawnPicture();
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("SplashLabel"));
    m_label->setPixmap(m_picture);
    m_layout->addWidget(m_label, 0, 0);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);

    m_hideTimer = new QTimer(this);
    m_hideTimer->setSingleShot(true);
    connect(m_hideTimer, &QTimer::timeout, this, &QWidget::hide);

    // Without a window manager (or with one that ignores the hint) a splash
    // would open in a corner; centre it on the screen it starts on.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), m_picture.deviceIndependentSize().toSize());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Splash::showNow()
{
    show();
    QElapsedTimer waited;
    waited.start();
    // Handling the expose paints the splash; a window the platform reports
    // exposed at once is painted here instead.
    if (windowHandle() && windowHandle()->isExposed()) {
        repaint();
        return;
    }
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < MaxExposeWait)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
}

void Splash::finish()
{
    m_hideTimer->start(0);
}

QPixmap Splash::drawnPicture()
{
    QPixmap picture(420, 240);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, picture.height());
    sky.setColorAt(0.0, QColor(24, 52, 96));
    sky.setColorAt(1.0, QColor(8, 20, 44));
    p.fillRect(picture.rect(), sky);
    p.setPen(QPen(QColor(200, 215, 240), 2));
    p.drawRect(picture.rect().adjusted(1, 1, -2, -2));

    QFont title = p.font();
    title.setBold(true);
    title.setPixelSize(48);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 40, picture.width(), 90), Qt::AlignCenter, tr("Tarvenix"));

    QFont line = p.font();
    line.setBold(false);
    line.setPixelSize(15);
    p.setFont(line);
    p.setPen(QColor(200, 215, 240));
    p.drawText(QRect(0, 130, picture.width(), 30), Qt::AlignCenter,
               tr("The territory-conquest board game"));
    p.drawText(QRect(0, 190, picture.width(), 30), Qt::AlignCenter, tr("Loading..."));
    return picture;
}
