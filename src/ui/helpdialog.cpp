#include "helpdialog.h"

#include "datadirectories.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString section(const QString& title, const QString& body)
{
    return QStringLiteral("<h3>%1</h3>%2").arg(title, body);
}

} // namespace

HelpDialog::HelpDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpDialog"));
    setWindowIcon(QIcon(DataDirectories::resolve(QStringLiteral("WinIcons/Bomb.png"))));
    setWindowTitle(tr("QtTarvenixGame -- How to play"));
    setWindowIconText(windowTitle());

    auto* layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("HelpDialogLayout"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenLinks(false);
    // The page is laid out when first shown: start-up need not wait for it.
    m_close = new QPushButton(tr("&Close"), this);
    m_close->setObjectName(QStringLiteral("HelpDialogClose"));
    m_close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addWidget(m_browser, 1);
    layout->addLayout(buttons);
    connect(m_close, &QPushButton::clicked, this, &HelpDialog::reject);

    // About forty lines of text at a time, never more than the screen.
    const QFontMetrics metrics(font());
    QSize size(metrics.averageCharWidth() * 80, metrics.lineSpacing() * 40);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.85);
    resize(size);
}

void HelpDialog::showEvent(QShowEvent* event)
{
    if (m_browser->document()->isEmpty())
        m_browser->setHtml(page());
    QDialog::showEvent(event);
}

void HelpDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && !m_browser->document()->isEmpty())
        m_browser->setHtml(page());
}

QString HelpDialog::page()
{
    QString html = QStringLiteral("<h2>%1</h2>").arg(tr("How to play"));
    html += tr("<p>Each player tries to conquer the whole map. The line under the buttons always "
               "says what a click on the board does now, and why a click did nothing.</p>");
    html += section(
        tr("Into a game"),
        tr("<p>Open <b>Users</b> (Ctrl+U). <b>Play against robots</b> opens a game on the map you "
           "chose last, seats robots of the level you chose and starts it. <b>New...</b> opens a "
           "game with rules of your own that others can join; <b>Join</b> takes a seat in a "
           "waiting game and <b>Watch</b> looks on.</p>"
           "<p>In a game you opened, <b>Robot</b> adds robot players and <b>Start</b> begins the "
           "game. Start needs two players and as many humans as the game asks for; while it "
           "cannot be pressed, the line under the buttons says why.</p>"));
    html += section(
        tr("The start"),
        tr("<p>The countries are dealt at random. In a game with <b>capitals</b> each player "
           "first clicks one of his countries to make it his capital; whoever holds every "
           "capital at once has won.</p>"
           "<p>Then everybody places his first armies at the same time: a <b>left click</b> on "
           "one of your countries places one army, a <b>right click</b> all armies that are "
           "left. Before the first turn a click on a country that holds four armies or more places "
           "nothing; a right click on one with fewer places all that are left on it.</p>"));
    html += section(
        tr("A turn"),
        tr("<ol>"
           "<li><b>Reinforcements</b>: one army for every three countries you hold, at least "
           "three, and the bonus of every continent you hold whole. Pointing at a country shows "
           "its continent with the bonus in brackets.</li>"
           "<li><b>Placing</b>: left click for one army, right click for all that are left. In a "
           "game with <b>place before attack</b> you place first; otherwise you may attack "
           "first and press <b>Place</b> (P) when you want your armies.</li>"
           "<li><b>Attacking</b> (A): click one of your countries with at least two armies, then "
           "an enemy neighbour. Each pair of clicks rolls the dice once: you throw up to three "
           "dice, one fewer than your armies, the defender up to two. The highest dice are "
           "compared in pairs and a tie goes to the defender; each lost pair costs one army.</li>"
           "<li><b>Do or Die</b> (D): the same clicks, but the dice roll on until the country "
           "falls or yours has only one army left.</li>"
           "<li><b>Taking</b>: when a country falls, the panel beside the game output asks how "
           "many armies move in: at least as many as the dice you threw, at most all but "
           "one.</li>"
           "<li><b>Moving</b> (M): ends your attacks. Click one of your countries and then one of "
           "your countries next to it, and choose how many armies go. Armies that moved this "
           "turn stay where they arrived.</li>"
           "<li><b>Finish</b> (F or Return) ends your turn. A turn in which you conquered at "
           "least one country earns a card.</li>"
           "</ol>"));
    html += section(
        tr("Cards"),
        tr("<p>Three cards alike, one of each kind, or a pair with a joker make a set. Click "
           "three cards of your hand and press <b>Cards</b> (C) to trade them for armies, in "
           "your turn while you still have armies to place. Whoever starts his turn with five "
           "cards or more must trade.</p>"));
    html += section(
        tr("The timer"),
        tr("<p>The clock at the end of the buttons counts down the turn; in its last ten "
           "seconds it turns red. When it runs out, the game's timer rule applies: the player "
           "is removed from the game, removed only if he did nothing, or his turn simply ends. "
           "Armies not placed by then are lost.</p>"));
    html += section(tr("Winning"),
                    tr("<p>The last player with countries on the board wins, or in a game with "
                       "capitals the first who holds every capital.</p>"));
    html += section(tr("Keys"),
                    tr("<table cellspacing=\"2\">"
                       "<tr><td><b>P</b></td><td>Place</td><td><b>A</b></td><td>Attack</td></tr>"
                       "<tr><td><b>D</b></td><td>Do or Die</td><td><b>M</b></td><td>Move</td></tr>"
                       "<tr><td><b>F</b>, <b>Return</b></td><td>Finish</td><td><b>C</b></td>"
                       "<td>Cards</td></tr>"
                       "<tr><td><b>Ctrl+U</b></td><td>Games and users</td><td><b>Ctrl+T</b></td>"
                       "<td>Chat</td></tr>"
                       "<tr><td><b>Ctrl+,</b></td><td>Colours and fonts</td><td><b>F1</b></td>"
                       "<td>This page</td></tr>"
                       "<tr><td><b>Ctrl+Q</b></td><td>Quit</td><td></td><td></td></tr>"
                       "</table>"));
    return html;
}
