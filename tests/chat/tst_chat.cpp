#include "chatbox.h"
#include "chatdialog.h"
#include "chatlines.h"
#include "chatuseritem.h"
#include "chatview.h"
#include "whisperbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

// The chat view's word splitting, row wrapping, line limits, height
// bookkeeping with hidden lines, and the incrementally kept image against a
// full repaint; the chat box's user list and buttons, the whisper box, and
// the chat window's tabs: find-or-create, case rules, active icons, and typed
// lines that leave only as signals.
class TestChat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void splitWords();
    void wrapping();
    void trimsTo300AfterThe401stLineKeepingShownHeights();
    void hiddenLineNeitherScrollsNorShows();
    void fewLinesFillFromTheTopAndFontsRewrap();
    void unseenViewOpensAtTheNewestLine();
    void incrementalImageMatchesFullPaint();

    void userListSortsAndFindsWithoutCase();
    void buttonsActOnTheChosenUser();
    void typedLinesOnlyLeaveAsSignals();
    void whisperTabsAreFoundByExactNickname();
    void tabsInSightAndTypingFollows();
    void channelsKeepTheirOwnState();

private:
    // A shown view whose viewport is exactly width pixels wide.
    void prepare(ChatView& view, int width, int height = 200);
    QImage snapshot(ChatView& view);
    static QStringList listed(const ChatBox& box);
    static void type(QLineEdit* input, const QString& text);

    QFont m_font;
    int m_char = 0;
    int m_row = 0;
};

void TestChat::initTestCase()
{
    m_font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_font.setFamily(QStringLiteral("DejaVu Sans Mono"));
    m_font.setPointSize(10);
    const QFontMetrics fm(m_font);
    m_char = fm.horizontalAdvance(QLatin1Char('a'));
    m_row = fm.height();
}

void TestChat::prepare(ChatView& view, int width, int height)
{
    view.changeFont(m_font);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.resize(view.width() - view.viewport()->width() + width,
                view.height() - view.viewport()->height() + height);
    QCoreApplication::processEvents();
    QCOMPARE(view.viewport()->width(), width);
    QCOMPARE(view.viewport()->height(), height);
}

QImage TestChat::snapshot(ChatView& view)
{
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void TestChat::splitWords()
{
    // Six ASCII separators, in runs, leading and trailing; other spaces are
    // letters.
    QCOMPARE(ChatView::splitWords(QStringLiteral(" a b\tc\nd\ve\ff\r\r g \n")),
             QStringLiteral("a b c d e f g").split(u' '));
    QCOMPARE(ChatView::splitWords(QString::fromUtf8("a\u00a0b \u4f60\u3000\u597d")),
             QString::fromUtf8("a\u00a0b \u4f60\u3000\u597d").split(u' '));
}

void TestChat::wrapping()
{
    // The viewport is the indent (row height + two spaces) plus ten characters.
    const struct
    {
        const char* text;
        int rows;
    } rows[] = {
        {"aaaa bbbbb", 1},               // ends exactly at the edge
        {"aaaa bbbbbb", 2},              // one too wide wraps
        {"a bbbbbbbbbbbbbbbbbbbb c", 3}, // a long word keeps a row of its own
        {"bbbbbbbbbbbbbbbbbbbb", 2},     // a too wide first word leaves the circle alone
        {"   ", 1},                      // no words
    };
    for (const auto& row : rows) {
        ChatView view;
        prepare(view, m_row + 2 * m_char + 10 * m_char);
        view.addLine(QString::fromLatin1(row.text), false);
        QVERIFY2(view.line(0).rows == row.rows, row.text);
        QCOMPARE(view.totalHeight(), row.rows * m_row);
    }
}

void TestChat::trimsTo300AfterThe401stLineKeepingShownHeights()
{
    ChatView view;
    for (int i = 0; i <= 400; ++i)
        view.addLine(QStringLiteral("line %1").arg(i), i % 3 == 0);
    QCOMPARE(view.lineCount(), 300);
    QCOMPARE(view.line(0).words.last().text, QStringLiteral("101"));
    QCOMPARE(view.line(299).words.last().text, QStringLiteral("400"));
    // Without a limit every line stays.
    view.setLineLimits(0, 0);
    for (int i = 0; i < 500; ++i)
        view.addLine(QStringLiteral("more"), false);
    QCOMPARE(view.lineCount(), 800);

    // A trim takes the height of the lines it removes that were shown only.
    ChatView shown;
    prepare(shown, 400);
    shown.setLineLimits(3, 2);
    shown.showHideable(false);
    shown.addLine(QStringLiteral("join one"), true);
    shown.addLine(QStringLiteral("part two"), true);
    shown.addLine(QStringLiteral("said three"), false);
    shown.addLine(QStringLiteral("said four"), false);
    QCOMPARE(shown.totalHeight(), 2 * m_row);
    shown.addLine(QStringLiteral("said five"), false);
    shown.addLine(QStringLiteral("said six"), false);
    QCOMPARE(shown.lineCount(), 2);
    QCOMPARE(shown.totalHeight(), 2 * m_row);
    shown.showHideable(true);
    QCOMPARE(shown.totalHeight(), 2 * m_row);
}

void TestChat::hiddenLineNeitherScrollsNorShows()
{
    ChatView view;
    prepare(view, 300, 5 * m_row);
    for (int i = 0; i < 20; ++i)
        view.addLine(QStringLiteral("line %1").arg(i), false);
    view.showHideable(false);
    view.verticalScrollBar()->setValue(m_row);
    const QImage before = snapshot(view);
    const int height = view.totalHeight();

    view.addLine(Qt::green, Qt::black, QStringLiteral("somebody joined"), true);
    QCOMPARE(view.verticalScrollBar()->value(), m_row);
    QCOMPARE(view.totalHeight(), height);
    QCOMPARE(snapshot(view), before);

    // Shown again, the joined line sits in its place before the next one.
    view.addLine(QStringLiteral("line 20"), false);
    view.showHideable(true);
    QCOMPARE(view.totalHeight(), height + 2 * m_row);
    QCOMPARE(view.line(21).top, view.line(20).top + m_row);
}

void TestChat::fewLinesFillFromTheTopAndFontsRewrap()
{
    ChatView view;
    prepare(view, 300, 10 * m_row);
    view.addLine(Qt::red, Qt::black, QStringLiteral("first"), false);
    view.addLine(Qt::blue, Qt::black, QStringLiteral("second"), false);
    QCOMPARE(view.verticalScrollBar()->maximum(), 0);

    // The first line's red circle in the first row.
    const int space = QFontMetrics(m_font).horizontalAdvance(QLatin1Char(' '));
    QCOMPARE(QColor(snapshot(view).pixel(space + m_row / 2, m_row / 2)), QColor(Qt::red));

    // A new font measures the words again and wraps them anew.
    QFont bigger = m_font;
    bigger.setPointSize(20);
    prepare(view, m_row + 12 * m_char, 10 * m_row);
    view.changeFont(bigger);
    QVERIFY(view.line(1).rows > 1);
    QCOMPARE(view.line(1).words[0].width,
             QFontMetrics(bigger).horizontalAdvance(QStringLiteral("second")));
    QCOMPARE(view.totalHeight(),
             (view.line(0).rows + view.line(1).rows) * QFontMetrics(bigger).height());
}

void TestChat::unseenViewOpensAtTheNewestLine()
{
    // Lines that arrive while the view was never shown are laid out for a
    // size it does not keep; when it is shown, the newest line is in sight.
    QWidget window;
    auto* view = new ChatView(&window);
    view->changeFont(m_font);
    for (int i = 0; i < 120; ++i)
        view->addLine(QStringLiteral("word ").repeated(i % 9 + 1), false);
    // The window system may size a window again once it is shown but
    // before anything is painted, the last time smaller.
    window.resize(300, 12 * m_row);
    view->setGeometry(0, 0, 250, 12 * m_row);
    window.show();
    view->setGeometry(0, 0, 250, 8 * m_row);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QScrollBar* bar = view->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());

    // Once it has been seen, a resize keeps the place the user scrolled to.
    bar->setValue(bar->maximum() / 2);
    const int place = bar->value();
    view->resize(view->width() - 60, view->height());
    QCOMPARE(bar->value(), place);
}

void TestChat::incrementalImageMatchesFullPaint()
{
    const QStringList texts = {
        QStringLiteral("short"),
        QStringLiteral("a somewhat longer line that certainly needs to wrap onto a second row"),
        QStringLiteral("x"), QStringLiteral("several words in a row to fill up the little view")};
    const auto add = [&texts](ChatView& view, int i) {
        view.addLine(QColor::fromHsv((i * 37) % 360, 255, 255), Qt::darkBlue,
                     texts[i % texts.size()], false);
    };
    ChatView incremental;
    prepare(incremental, 260, 7 * m_row + 3);
    for (int i = 0; i < 40; ++i) {
        add(incremental, i);
        // Paint between additions now and then, as when lines arrive from the network.
        if (i % 3 == 0)
            snapshot(incremental);
        if (i == 2 || i == 11 || i == 39) {
            ChatView full;
            prepare(full, 260, 7 * m_row + 3);
            for (int j = 0; j <= i; ++j)
                add(full, j);
            QCOMPARE(incremental.verticalScrollBar()->value(), full.verticalScrollBar()->value());
            QCOMPARE(snapshot(incremental), snapshot(full));
        }
    }

    // Small steps shift the kept image; the last is a jump of more than a page.
    QScrollBar* bar = incremental.verticalScrollBar();
    for (int value : {bar->maximum() - 5, bar->maximum() - 3, 0}) {
        bar->setValue(value);
        const QImage shifted = snapshot(incremental);
        incremental.showHideable(true); // forces a full repaint at the same position
        QCOMPARE(bar->value(), value);
        QCOMPARE(shifted, snapshot(incremental));
    }
}

QStringList TestChat::listed(const ChatBox& box)
{
    QStringList names;
    for (int i = 0; i < box.userList()->topLevelItemCount(); ++i)
        names.append(box.userList()->topLevelItem(i)->text(0));
    return names;
}

void TestChat::type(QLineEdit* input, const QString& text)
{
    QTest::keyClicks(input, text);
    QTest::keyClick(input, Qt::Key_Return);
}

void TestChat::userListSortsAndFindsWithoutCase()
{
    ChatBox box;
    for (const char* name : {"dave", "Carol", "alice", "Bob", "_x", "Éva", "eve"})
        box.addUser(QString::fromUtf8(name));
    QCOMPARE(listed(box), QString::fromUtf8("_x alice Bob Carol dave eve Éva").split(u' '));

    // Lookups ignore case; the list keeps the case the user was added with.
    box.setColor(QStringLiteral("CAROL"), Qt::red);
    box.setStrikeOut(QStringLiteral("ALICE"), true);
    QCOMPARE(box.findUser(QStringLiteral("carol"))->text(0), QStringLiteral("Carol"));
    QCOMPARE(box.findUser(QStringLiteral("carol"))->color(), QColor(Qt::red));
    QVERIFY(box.findUser(QStringLiteral("Alice"))->strikeOut());
    box.setColor(QStringLiteral("nobody"), Qt::red);
    box.removeUser(QStringLiteral("BOB"));
    QCOMPARE(box.userList()->topLevelItemCount(), 6);
    QVERIFY(!box.findUser(QStringLiteral("bob")));
}

void TestChat::buttonsActOnTheChosenUser()
{
    ChatBox box;
    QSignalSpy whisper(&box, &ChatBox::whisper);
    box.addUser(QStringLiteral("Ann"));
    box.addUser(QStringLiteral("Ben"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(!box.whisperButton()->isEnabled());
    QTreeWidget* list = box.userList();
    list->setCurrentItem(box.findUser(QStringLiteral("ben")));
    // A double click whispers to the row clicked.
    const QPoint ann = list->visualItemRect(box.findUser(QStringLiteral("ann"))).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, ann);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, ann);
    QCOMPARE(whisper, QList<QVariantList>{{QStringLiteral("Ann")}});

    // When the chosen user leaves, the buttons cannot act on a neighbour
    // the user never picked.
    box.removeUser(QStringLiteral("ann"));
    QVERIFY(!box.whisperButton()->isEnabled());
    QVERIFY(!box.ignoreButton()->isEnabled());
}

void TestChat::typedLinesOnlyLeaveAsSignals()
{
    ChatDialog dialog;
    QSignalSpy global(&dialog, &ChatDialog::globalChat);
    QSignalSpy whisper(&dialog, &ChatDialog::whisper);
    QSignalSpy stop(&dialog, &ChatDialog::stopWhisper);
    type(dialog.globalBox()->inputLine(), QStringLiteral("  hello   all "));
    // Return on an empty line sends nothing.
    QTest::keyClick(dialog.globalBox()->inputLine(), Qt::Key_Return);
    QCOMPARE(global, QList<QVariantList>{{QStringLiteral("  hello   all ")}});
    QVERIFY(dialog.globalBox()->inputLine()->text().isEmpty());

    dialog.showWhisperBox(QStringLiteral("Ann"));
    dialog.showWhisperBox(QStringLiteral("Ben"));
    QPointer<WhisperBox> ann = dialog.whisperBox(QStringLiteral("Ann"));
    type(ann->inputLine(), QStringLiteral("psst"));
    QCOMPARE(whisper,
             QList<QVariantList>{(QVariantList{QStringLiteral("Ann"), QStringLiteral("psst")})});

    // Close only asks; the tab stays until it is closed through the window.
    QTest::mouseClick(ann->closeButton(), Qt::LeftButton);
    QCOMPARE(stop.value(0).value(0).toString(), QStringLiteral("Ann"));
    QCOMPARE(dialog.whisperBox(QStringLiteral("Ann")), ann);

    // Closing from inside the tab's own Close click, as a script does.
    connect(&dialog, &ChatDialog::stopWhisper, &dialog, &ChatDialog::closeWhisperBox);
    QTest::mouseClick(ann->closeButton(), Qt::LeftButton);
    QCOMPARE(dialog.whisperNames(), QStringList{QStringLiteral("Ben")});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(ann.isNull());
    dialog.closeWhisperBox(QStringLiteral("ben"));
    QCOMPARE(dialog.tabs()->count(), 4);

    // A new tab for the same nickname is a new conversation.
    dialog.addWhisperMessage(Qt::gray, Qt::black, QStringLiteral("Ann"), QStringLiteral("back"));
    QCOMPARE(chatLines(dialog.whisperBox(QStringLiteral("Ann"))->view()),
             QStringList{QStringLiteral("back")});
}

void TestChat::whisperTabsAreFoundByExactNickname()
{
    ChatDialog dialog;
    QTabWidget* tabs = dialog.tabs();
    // A line for a new nickname opens its tab behind the one in front.
    dialog.addWhisperMessage(Qt::gray, Qt::black, QStringLiteral("bob"), QStringLiteral("hi"));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(3), QStringLiteral("bob"));
    // A tab behind is lit, the one in front never is.
    dialog.hilightWhisper(QStringLiteral("bob"));
    dialog.hilightGlobal();
    QVERIFY(dialog.isMarkedActive(dialog.whisperBox(QStringLiteral("bob"))));
    QVERIFY(!dialog.isMarkedActive(dialog.globalBox()));

    dialog.showWhisperBox(QStringLiteral("Bob"));
    QCOMPARE(tabs->currentWidget(), dialog.whisperBox(QStringLiteral("Bob")));
    dialog.addWhisperMessage(Qt::gray, Qt::black, QStringLiteral("bob"), QStringLiteral("again"));
    QCOMPARE(dialog.whisperNames(), (QStringList{QStringLiteral("bob"), QStringLiteral("Bob")}));
    QCOMPARE(dialog.whisperBox(QStringLiteral("bob"))->view()->lineCount(), 2);
    QCOMPARE(dialog.whisperBox(QStringLiteral("Bob"))->view()->lineCount(), 0);
    // Brought forward, a tab goes out; a tab missing is created lit.
    dialog.showWhisperBox(QStringLiteral("bob"));
    QVERIFY(!dialog.isMarkedActive(dialog.whisperBox(QStringLiteral("bob"))));
    dialog.hilightWhisper(QStringLiteral("Cleo"));
    QVERIFY(dialog.isMarkedActive(dialog.whisperBox(QStringLiteral("Cleo"))));
}

// Opened, the window puts the typing in the tab in front, takes it along to
// the tab shown next, and never hides a lit whisper tab behind scroll arrows.
void TestChat::tabsInSightAndTypingFollows()
{
    ChatDialog dialog;
    for (const char* name : {"Annabelle", "Bartholomew", "Cleopatra", "Desdemona"})
        dialog.hilightWhisper(QLatin1String(name));
    dialog.tabs()->setCurrentWidget(dialog.gameBox());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.gameBox()->inputLine());
    dialog.showWhisperBox(QStringLiteral("Cleopatra"));
    QCOMPARE(QApplication::focusWidget(),
             dialog.whisperBox(QStringLiteral("Cleopatra"))->inputLine());
    QTabBar* bar = dialog.tabs()->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        QVERIFY2(bar->rect().contains(bar->tabRect(i)), qPrintable(bar->tabText(i)));
}

// The join toggle and a reset touch one channel each; the font reaches every
// view, whisper tabs opened later too.
void TestChat::channelsKeepTheirOwnState()
{
    ChatDialog dialog;
    dialog.showWhisperBox(QStringLiteral("Early"));
    for (ChatBox* box : {dialog.globalBox(), dialog.gameBox()}) {
        box->displayMessage(Qt::gray, Qt::gray, QStringLiteral("Ann has joined"), true);
        box->addUser(QStringLiteral("Ann"));
    }
    QTest::mouseClick(dialog.globalBox()->leaveJoins(), Qt::LeftButton, {},
                      QPoint(5, dialog.globalBox()->leaveJoins()->height() / 2));
    QCOMPARE(dialog.globalBox()->view()->line(0).height, 0);
    QVERIFY(dialog.gameBox()->view()->line(0).height > 0);

    dialog.resetGame();
    QVERIFY(dialog.globalBox()->findUser(QStringLiteral("ann")));
    QVERIFY(!dialog.gameBox()->findUser(QStringLiteral("ann")));
    dialog.reset();
    QVERIFY(!dialog.globalBox()->findUser(QStringLiteral("ann")));
    QCOMPARE(dialog.globalBox()->view()->lineCount(), 1);
    QCOMPARE(dialog.whisperNames(), QStringList{QStringLiteral("Early")});

    QFont font(QStringLiteral("DejaVu Serif"), 15);
    dialog.changeFont(font);
    dialog.showWhisperBox(QStringLiteral("Late"));
    for (ChatView* view : {dialog.globalBox()->view(), dialog.membersBox()->view(),
                           dialog.whisperBox(QStringLiteral("Early"))->view(),
                           dialog.whisperBox(QStringLiteral("Late"))->view()})
        QCOMPARE(view->font(), font);
}

QTEST_MAIN(TestChat)
#include "tst_chat.moc"
