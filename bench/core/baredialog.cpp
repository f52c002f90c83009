// The yardstick for the client's start-up: a bare Qt dialog with a label, a
// line edit and a button, shown and probed exactly as the client's login
// dialog is (the moment it is exposed and the resident memory then).

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

#include "startupreport.h"
#include <QWindow>

namespace {

class ExposeProbe : public QObject
{
public:
    explicit ExposeProbe(QWindow* window) : m_window(window)
    {
        if (m_window->isExposed())
            QMetaObject::invokeMethod(this, &reportStartupAndQuit, Qt::QueuedConnection);
        else
            m_window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed()) {
            m_window->removeEventFilter(this);
            QMetaObject::invokeMethod(this, &reportStartupAndQuit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWindow* m_window;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Nickname:"), &dialog));
    layout->addWidget(new QLineEdit(&dialog));
    layout->addWidget(new QPushButton(QStringLiteral("Login"), &dialog));
    dialog.show();

    // As the client's probe: on the loop's turn after the first expose was
    // handled (and the dialog painted).
    ExposeProbe probe(dialog.windowHandle());
    return app.exec();
}
