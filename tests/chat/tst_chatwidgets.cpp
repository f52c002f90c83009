#include "chatbox.h"
#include "chatdialog.h"
#include "chatlines.h"
#include "chatuseritem.h"
#include "chatview.h"
#include "whisperbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

// The chat box's user list and buttons, the whisper box, and the chat
// window's tabs: find-or-create, case rules, active icons, and typed lines
// that leave only as signals.
class TestChatWidgets : public QObject
{
    Q_OBJECT

private slots:
    void userListSortsAndFindsWithoutCase();
    void selectionColourIsTheUsersColour();
    void buttonsFollowTheSelection();
    void typedLinesOnlyLeaveAsSignals();
    void whisperTabsAreFoundByExactNickname();
    void closingAWhisperTab();
    void activeIconRules();
    void everyTabStaysInSight();
    void openingFocusesTheInputLine();
    void joinPartToggleHidesOneBoxOnly();
    void fontReachesChannelsAndWhispers();
    void resetEmptiesUserListsOnly();

private:
    static QStringList listed(const ChatBox& box);
    static void type(QLineEdit* input, const QString& text);
};

QStringList TestChatWidgets::listed(const ChatBox& box)
{
    QStringList names;
    for (int i = 0; i < box.userList()->topLevelItemCount(); ++i)
        names.append(box.userList()->topLevelItem(i)->text(0));
    return names;
}

void TestChatWidgets::type(QLineEdit* input, const QString& text)
{
    QTest::keyClicks(input, text);
    QTest::keyClick(input, Qt::Key_Return);
}

void TestChatWidgets::userListSortsAndFindsWithoutCase()
{
    ChatBox box;
    for (const char* name : {"dave", "Carol", "alice", "Bob", "_x", "Éva", "eve"})
        box.addUser(QString::fromUtf8(name));
    QCOMPARE(listed(box),
             (QStringList{QStringLiteral("_x"), QStringLiteral("alice"), QStringLiteral("Bob"),
                          QStringLiteral("Carol"), QStringLiteral("dave"), QStringLiteral("eve"),
                          QString::fromUtf8("Éva")}));

    // Lookups ignore case; the list keeps the case the user was added with.
    box.setColor(QStringLiteral("CAROL"), Qt::red);
    box.setStrikeOut(QStringLiteral("ALICE"), true);
    ChatUserItem* carol = box.findUser(QStringLiteral("carol"));
    QVERIFY(carol);
    QCOMPARE(carol->text(0), QStringLiteral("Carol"));
    QCOMPARE(carol->color(), QColor(Qt::red));
    QVERIFY(box.findUser(QStringLiteral("Alice"))->strikeOut());
    QCOMPARE(box.findUser(QStringLiteral("bob"))->color(), QColor(Qt::black));

    // Unknown nicknames are ignored.
    box.setColor(QStringLiteral("nobody"), Qt::red);
    box.removeUser(QStringLiteral("nobody"));
    QCOMPARE(box.userList()->topLevelItemCount(), 7);

    box.removeUser(QStringLiteral("BOB"));
    QVERIFY(!box.findUser(QStringLiteral("bob")));

    // Of two entries that differ in case only, the one added last is found,
    // coloured and removed first.
    box.addUser(QStringLiteral("Eve"));
    box.setColor(QStringLiteral("EVE"), Qt::blue);
    box.removeUser(QStringLiteral("eve"));
    QCOMPARE(listed(box).filter(QStringLiteral("eve"), Qt::CaseInsensitive),
             QStringList{QStringLiteral("eve")});
    QCOMPARE(box.findUser(QStringLiteral("eve"))->color(), QColor(Qt::black));
}

void TestChatWidgets::selectionColourIsTheUsersColour()
{
    ChatBox box;
    box.resize(500, 300);
    box.addUser(QStringLiteral("Enemy"));
    box.setColor(QStringLiteral("enemy"), QColor(255, 0, 0));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTreeWidget* list = box.userList();
    QTreeWidgetItem* item = list->topLevelItem(0);
    const QRect cell = list->visualItemRect(item);

    // A selected row is filled with the user's colour, whether or not the
    // list has the focus.
    list->setCurrentItem(item);
    box.inputLine()->setFocus();
    const QImage image = list->viewport()->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QPoint right((cell.right() - 3) * ratio, cell.center().y() * ratio);
    QCOMPARE(QColor(image.pixel(right)), QColor(255, 0, 0));
}

void TestChatWidgets::buttonsFollowTheSelection()
{
    ChatBox box;
    QSignalSpy whisper(&box, &ChatBox::whisper);
    QSignalSpy ignore(&box, &ChatBox::ignore);
    box.addUser(QStringLiteral("Ann"));
    box.addUser(QStringLiteral("Ben"));
    QVERIFY(!box.whisperButton()->isEnabled());

    box.userList()->setCurrentItem(box.findUser(QStringLiteral("ben")));
    QTest::mouseClick(box.whisperButton(), Qt::LeftButton);
    QTest::mouseClick(box.ignoreButton(), Qt::LeftButton);
    QCOMPARE(whisper.value(0).value(0).toString(), QStringLiteral("Ben"));
    QCOMPARE(ignore.value(0).value(0).toString(), QStringLiteral("Ben"));

    // A double click whispers to the row clicked.
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QRect ann = box.userList()->visualItemRect(box.findUser(QStringLiteral("ann")));
    QTest::mouseClick(box.userList()->viewport(), Qt::LeftButton, {}, ann.center());
    QTest::mouseDClick(box.userList()->viewport(), Qt::LeftButton, {}, ann.center());
    QCOMPARE(whisper.count(), 2);
    QCOMPARE(whisper.value(1).value(0).toString(), QStringLiteral("Ann"));

    // When the selected user leaves, the buttons cannot act on a neighbour
    // the user never picked.
    box.userList()->setCurrentItem(box.findUser(QStringLiteral("ann")));
    box.removeUser(QStringLiteral("ann"));
    QVERIFY(!box.whisperButton()->isEnabled());
    QVERIFY(!box.ignoreButton()->isEnabled());
    QCOMPARE(ignore.count(), 1);
}

void TestChatWidgets::typedLinesOnlyLeaveAsSignals()
{
    ChatDialog dialog;
    QSignalSpy global(&dialog, &ChatDialog::globalChat);
    QSignalSpy game(&dialog, &ChatDialog::gameChat);
    QSignalSpy members(&dialog, &ChatDialog::membersChat);
    QSignalSpy whisper(&dialog, &ChatDialog::whisper);
    QSignalSpy stop(&dialog, &ChatDialog::stopWhisper);

    type(dialog.globalBox()->inputLine(), QStringLiteral("  hello   all "));
    type(dialog.gameBox()->inputLine(), QStringLiteral("gg"));
    type(dialog.membersBox()->inputLine(), QStringLiteral("hi members"));
    // Return on an empty line sends nothing.
    QTest::keyClick(dialog.globalBox()->inputLine(), Qt::Key_Return);
    QCOMPARE(global.count(), 1);
    QCOMPARE(global.value(0).value(0).toString(), QStringLiteral("  hello   all "));
    QCOMPARE(game.value(0).value(0).toString(), QStringLiteral("gg"));
    QCOMPARE(members.value(0).value(0).toString(), QStringLiteral("hi members"));
    QVERIFY(dialog.globalBox()->inputLine()->text().isEmpty());

    dialog.showWhisperBox(QStringLiteral("Ann"));
    WhisperBox* ann = dialog.whisperBox(QStringLiteral("Ann"));
    type(ann->inputLine(), QStringLiteral("psst"));
    QTest::keyClick(ann->inputLine(), Qt::Key_Return);
    QCOMPARE(whisper.count(), 1);
    QCOMPARE(whisper.value(0), (QVariantList{QStringLiteral("Ann"), QStringLiteral("psst")}));
    QVERIFY(ann->inputLine()->text().isEmpty());

    // Close only asks; the tab stays until it is closed through the window.
    QTest::mouseClick(ann->closeButton(), Qt::LeftButton);
    QCOMPARE(stop.value(0).value(0).toString(), QStringLiteral("Ann"));
    QCOMPARE(dialog.whisperBox(QStringLiteral("Ann")), ann);
    QCOMPARE(ann->view()->lineCount(), 0);
}

void TestChatWidgets::whisperTabsAreFoundByExactNickname()
{
    ChatDialog dialog;
    QTabWidget* tabs = dialog.tabs();
    QCOMPARE(tabs->count(), 3);

    // A line for a new nickname opens its tab behind the one in front.
    dialog.addWhisperMessage(Qt::gray, Qt::black, QStringLiteral("bob"), QStringLiteral("hi"));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(3), QStringLiteral("bob"));
    QVERIFY(tabs->tabIcon(3).isNull());

    dialog.showWhisperBox(QStringLiteral("Bob"));
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(tabs->currentWidget(), dialog.whisperBox(QStringLiteral("Bob")));
    dialog.showWhisperBox(QStringLiteral("bob"));
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(tabs->currentIndex(), 3);
    QCOMPARE(dialog.whisperNames(), (QStringList{QStringLiteral("bob"), QStringLiteral("Bob")}));

    dialog.addWhisperMessage(Qt::gray, Qt::black, QStringLiteral("bob"), QStringLiteral("again"));
    QCOMPARE(chatLines(dialog.whisperBox(QStringLiteral("bob"))->view()),
             (QStringList{QStringLiteral("hi"), QStringLiteral("again")}));
    QCOMPARE(dialog.whisperBox(QStringLiteral("Bob"))->view()->lineCount(), 0);
}

void TestChatWidgets::closingAWhisperTab()
{
    ChatDialog dialog;
    QSignalSpy whisper(&dialog, &ChatDialog::whisper);
    dialog.showWhisperBox(QStringLiteral("Ann"));
    dialog.showWhisperBox(QStringLiteral("Ben"));
    QPointer<WhisperBox> ann = dialog.whisperBox(QStringLiteral("Ann"));

    // Closing from inside the tab's own Close click, as a script does.
    connect(&dialog, &ChatDialog::stopWhisper, &dialog, &ChatDialog::closeWhisperBox);
    QTest::mouseClick(ann->closeButton(), Qt::LeftButton);
    QCOMPARE(dialog.whisperNames(), QStringList{QStringLiteral("Ben")});
    QCOMPARE(dialog.tabs()->indexOf(ann), -1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(ann.isNull());

    dialog.closeWhisperBox(QStringLiteral("Nobody"));
    dialog.closeWhisperBox(QStringLiteral("ben"));
    QCOMPARE(dialog.tabs()->count(), 4);

    // A new tab for the same nickname is a new conversation.
    dialog.addWhisperMessage(Qt::gray, Qt::black, QStringLiteral("Ann"), QStringLiteral("back"));
    WhisperBox* again = dialog.whisperBox(QStringLiteral("Ann"));
    QCOMPARE(chatLines(again->view()), QStringList{QStringLiteral("back")});
    type(again->inputLine(), QStringLiteral("welcome back"));
    QCOMPARE(whisper.count(), 1);
}

void TestChatWidgets::activeIconRules()
{
    ChatDialog dialog;
    QTabWidget* tabs = dialog.tabs();

    dialog.hilightGlobal();
    QVERIFY(!dialog.isMarkedActive(dialog.globalBox()));
    dialog.hilightGame();
    dialog.hilightMembers();
    QVERIFY(dialog.isMarkedActive(dialog.gameBox()));
    QVERIFY(dialog.isMarkedActive(dialog.membersBox()));

    tabs->setCurrentWidget(dialog.gameBox());
    QVERIFY(!dialog.isMarkedActive(dialog.gameBox()));
    QVERIFY(dialog.isMarkedActive(dialog.membersBox()));
    QVERIFY(!tabs->tabIcon(tabs->indexOf(dialog.gameBox())).isNull());

    // Whisper tabs light up the same way, created if they are missing.
    dialog.hilightWhisper(QStringLiteral("Cleo"));
    WhisperBox* cleo = dialog.whisperBox(QStringLiteral("Cleo"));
    QVERIFY(cleo);
    QVERIFY(dialog.isMarkedActive(cleo));
    dialog.showWhisperBox(QStringLiteral("Cleo"));
    QVERIFY(!dialog.isMarkedActive(cleo));
    dialog.hilightWhisper(QStringLiteral("Cleo"));
    QVERIFY(!dialog.isMarkedActive(cleo));
}

void TestChatWidgets::everyTabStaysInSight()
{
    // A lit whisper tab must never hide behind scroll arrows.
    ChatDialog dialog;
    for (const char* name : {"Annabelle", "Bartholomew", "Cleopatra", "Desdemona"})
        dialog.hilightWhisper(QLatin1String(name));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTabBar* bar = dialog.tabs()->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        QVERIFY2(bar->rect().contains(bar->tabRect(i)), qPrintable(bar->tabText(i)));
}

void TestChatWidgets::openingFocusesTheInputLine()
{
    ChatDialog dialog;
    dialog.showWhisperBox(QStringLiteral("Ann"));
    dialog.tabs()->setCurrentWidget(dialog.gameBox());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.gameBox()->inputLine());
    // Switching tabs takes the typing along.
    dialog.showWhisperBox(QStringLiteral("Ann"));
    QCOMPARE(QApplication::focusWidget(), dialog.whisperBox(QStringLiteral("Ann"))->inputLine());
}

void TestChatWidgets::joinPartToggleHidesOneBoxOnly()
{
    ChatDialog dialog;
    for (ChatBox* box : {dialog.globalBox(), dialog.gameBox()}) {
        box->displayMessage(Qt::gray, Qt::gray, QStringLiteral("Ann has joined"), true);
        box->displayMessage(Qt::gray, Qt::black, QStringLiteral("Ann: hi"), false);
    }
    QTest::mouseClick(dialog.globalBox()->leaveJoins(), Qt::LeftButton, {},
                      QPoint(5, dialog.globalBox()->leaveJoins()->height() / 2));
    QVERIFY(!dialog.globalBox()->leaveJoins()->isChecked());
    QVERIFY(!dialog.globalBox()->view()->isShowingHideable());
    QVERIFY(dialog.gameBox()->view()->isShowingHideable());
    QCOMPARE(dialog.globalBox()->view()->line(0).height, 0);
    QVERIFY(dialog.gameBox()->view()->line(0).height > 0);
}

void TestChatWidgets::fontReachesChannelsAndWhispers()
{
    ChatDialog dialog;
    dialog.showWhisperBox(QStringLiteral("Early"));
    QFont font(QStringLiteral("DejaVu Serif"), 15);
    dialog.changeFont(font);
    dialog.showWhisperBox(QStringLiteral("Late"));
    for (ChatView* view : {dialog.globalBox()->view(), dialog.membersBox()->view(),
                           dialog.whisperBox(QStringLiteral("Early"))->view(),
                           dialog.whisperBox(QStringLiteral("Late"))->view()})
        QCOMPARE(view->font(), font);
    // The input lines and user lists keep the window's font.
    QVERIFY(dialog.globalBox()->inputLine()->font() != font);
}

void TestChatWidgets::resetEmptiesUserListsOnly()
{
    ChatDialog dialog;
    dialog.addGlobalUser(QStringLiteral("Ann"));
    dialog.addGameUser(QStringLiteral("Ann"));
    dialog.addMembersUser(QStringLiteral("Ann"));
    dialog.addGlobalMessage(Qt::gray, Qt::black, QStringLiteral("Ann: hi"), false);
    dialog.showWhisperBox(QStringLiteral("Ann"));
    dialog.reset();
    for (ChatBox* box : {dialog.globalBox(), dialog.gameBox(), dialog.membersBox()})
        QVERIFY(!box->findUser(QStringLiteral("ann")));
    QCOMPARE(dialog.globalBox()->view()->lineCount(), 1);
    QCOMPARE(dialog.whisperNames(), QStringList{QStringLiteral("Ann")});

    // Each channel's own reset touches only that channel.
    dialog.addGlobalUser(QStringLiteral("Ben"));
    dialog.addGameUser(QStringLiteral("Ben"));
    dialog.resetGame();
    QCOMPARE(dialog.globalBox()->userList()->topLevelItemCount(), 1);
    QCOMPARE(dialog.gameBox()->userList()->topLevelItemCount(), 0);
}

QTEST_MAIN(TestChatWidgets)
#include "tst_chatwidgets.moc"
