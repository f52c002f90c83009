// Shows the generated pictures where the client uses them: the tool bar, the
// player list, the option strip and legend of the lobby, the card hand and the
// chat tabs. Run it from a folder that holds Icons/, Buttons/, WinIcons/ and
// Cards/ (data/ or the run directory); preview.sh takes a screenshot of it.

#include "buttonbar.h"
#include "clock.h"
#include "playerlist.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString text(const char* source)
{
    return QCoreApplication::translate("ArtPreview", source);
}

const char* const legendIcons[] = {
    "Running",           "Waiting",    "Player", "Ghost",           "Robot",  "Observer",
    "PlaceBeforeAttack", "Capitals",   "Blind",  "IncreasingCards", "Gift",   "NoWhispering",
    "HideCards",         "SameHosts",  "Cards",  "Ladder",          "NoBots", "TimerMode1",
    "TimerMode2",        "TimerMode3",
};

// The strip a game row shows: every option icon 14 pixels after the previous one.
QPixmap optionStrip()
{
    const int count = int(std::size(legendIcons)) - 6;
    QPixmap strip(14 * count + 2, 16);
    strip.fill(Qt::white);
    QPainter p(&strip);
    for (int i = 0; i < count; ++i)
        p.drawPixmap(
            14 * i, 0,
            QPixmap(QStringLiteral("Icons/%1.png").arg(QLatin1String(legendIcons[i + 6]))));
    return strip;
}

QWidget* cardHand()
{
    auto* hand = new QWidget;
    auto* layout = new QHBoxLayout(hand);
    bool selected = true;
    for (const char* card : {"Horseman", "Cannon", "Footman", "Joker"}) {
        auto* label = new QLabel;
        label->setPixmap(QPixmap(QStringLiteral("Cards/%1.png").arg(QLatin1String(card))));
        if (selected)
            label->setStyleSheet(QStringLiteral("border: 1px solid black; padding: 1px"));
        selected = !selected;
        layout->addWidget(label);
    }
    layout->addStretch();
    return hand;
}

QWidget* legend()
{
    auto* list = new QTreeWidget;
    list->setHeaderLabels({text("Icon")});
    list->setRootIsDecorated(false);
    for (const char* name : legendIcons) {
        auto* row = new QTreeWidgetItem(list, {QString::fromLatin1(name)});
        row->setIcon(0, QIcon(QStringLiteral("Icons/%1.png").arg(QLatin1String(name))));
    }
    auto* strip = new QTreeWidgetItem(list, {text("option strip")});
    strip->setIcon(0, QIcon(optionStrip()));
    list->setIconSize(QSize(14 * 14 + 2, 16));
    return list;
}

QWidget* chatTabs()
{
    auto* tabs = new QTabWidget;
    tabs->addTab(new QTextEdit, QIcon(QStringLiteral("Icons/NoChat.png")), text("Global"));
    tabs->addTab(new QTextEdit, QIcon(QStringLiteral("Icons/Chat.png")), text("Game"));
    tabs->addTab(new QTextEdit, QIcon(QStringLiteral("Icons/NoChat.png")), text("Members"));
    return tabs;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowIcon(QIcon(QStringLiteral("WinIcons/Bomb.png")));

    auto* bar = new ButtonBar(&window);
    window.addToolBar(bar);
    bar->connected();
    bar->inGame();
    bar->decide(false);
    bar->setRobotEnabled(true);
    bar->setTimer(75);

    auto* players = new PlayerList;
    const QColor seats[] = {Qt::red, Qt::blue, Qt::green, Qt::yellow};
    const char* names[] = {"Amber", "Basil", "Cedric", "Robo"};
    for (int seat = 0; seat < 4; ++seat) {
        players->setSeatColor(seat, seats[seat]);
        if (seat == 3)
            players->setRobot(seat, QLatin1String(names[seat]), 1200, 2, 40);
        else
            players->setPlayer(seat, QLatin1String(names[seat]), 1500 + seat * 50, 3, 120, false,
                               seat == 1, false, false);
        players->setCards(seat, seat + 1);
    }
    players->setCardArmies(2, 10);
    players->setCurrent(1);
    players->setMinimumHeight(130);

    auto* central = new QWidget;
    auto* grid = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    left->addWidget(players);
    left->addWidget(cardHand());
    left->addWidget(chatTabs());
    grid->addLayout(left, 3);
    grid->addWidget(legend(), 2);
    window.setCentralWidget(central);
    window.resize(1000, 760);
    window.show();
    return app.exec();
}
