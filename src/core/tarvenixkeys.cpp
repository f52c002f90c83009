// The window shortcuts: they reach the same buttons as the mouse, from every
// window of the program.

#include "tarvenix.h"

#include "buttonbar.h"
#include "question.h"

#include <QShortcut>
#include <QToolButton>

namespace {

struct WindowKey
{
    const char* button;
    BarState::Button which;
    QKeyCombination key;
};

// Ctrl+, is the usual key for a program's settings.
constexpr WindowKey WindowKeys[] = {
    {"ButtonUsers", BarState::Users, Qt::CTRL | Qt::Key_U},
    {"ButtonChat", BarState::Chat, Qt::CTRL | Qt::Key_T},
    {"ButtonConfig", BarState::Config, Qt::CTRL | Qt::Key_Comma},
};

} // namespace

void Tarvenix::createShortcuts()
{
    for (const WindowKey& windowKey : WindowKeys) {
        auto* button = m_buttonBar->findChild<QToolButton*>(QLatin1String(windowKey.button));
        if (!button)
            continue;
        const QKeySequence sequence(windowKey.key);
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::ApplicationShortcut);
        // A disabled button stands for a window that is not to be had yet.
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled())
                button->click();
        });
        m_buttonBar->setKeyText(windowKey.which, sequence.toString(QKeySequence::NativeText));
    }
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setObjectName(QStringLiteral("QuitShortcut"));
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, this, &Tarvenix::actionQuit);
    connect(m_logoutDialog, &Question::no, this, [this] { m_quitAfterLogout = false; });
}

void Tarvenix::actionQuit()
{
    if (!m_loggedIn) {
        close();
        return;
    }
    // Logged in, quitting is logging out first: the same question.
    m_quitAfterLogout = true;
    bringUp(m_logoutDialog);
}
