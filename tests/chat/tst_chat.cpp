#include "chatbox.h"
#include "chatdialog.h"
#include "chatlines.h"
#include "chatuseritem.h"
#include "chatview.h"
#include "whisperbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

// The chat view's wrapping, line limits, scroll place and incrementally kept
// image against a full repaint; the chat box's user list; the chat window's
// tabs by exact nickname, and typed lines that leave only as signals.
class TestChat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void splitWords();
    void wrapping();
    void trimsTo300AfterThe401stLineKeepingShownHeights();
    void unseenViewOpensAtTheNewestLine();
    void readerKeepsHisPlace();
    void incrementalImageMatchesFullPaint();

    void userListAndButtons();
    void typedLinesOnlyLeaveAsSignals();
    void whisperTabsAndChannelState();
    void tabsInSightAndTypingFollows();

private:
    // A shown view whose viewport is exactly width pixels wide.
    void prepare(ChatView& view, int width, int height = 200);
    QImage snapshot(ChatView& view);

    QFont m_font;
    int m_char = 0;
    int m_row = 0;
};

void TestChat::initTestCase()
{
    m_font = QFont(QStringLiteral("DejaVu Sans Mono"), 10);
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
    const std::pair<const char*, int> rows[] = {
        {"aaaa bbbbb", 1},               // ends exactly at the edge
        {"aaaa bbbbbb", 2},              // one too wide wraps
        {"a bbbbbbbbbbbbbbbbbbbb c", 3}, // a long word keeps a row of its own
        {"bbbbbbbbbbbbbbbbbbbb", 2},     // a too wide first word leaves the circle alone
        {"   ", 1},                      // no words
    };
    for (const auto& [text, count] : rows) {
        ChatView view;
        prepare(view, m_row + 2 * m_char + 10 * m_char);
        view.addLine(QString::fromLatin1(text), false);
        QVERIFY2(view.line(0).rows == count, text);
        QCOMPARE(view.totalHeight(), count * m_row);
    }

    // A new font measures the words again and wraps them anew.
    ChatView view;
    prepare(view, m_row + 2 * m_char + 12 * m_char);
    view.addLine(QStringLiteral("first second"), false);
    QCOMPARE(view.line(0).rows, 1);
    QFont bigger = m_font;
    bigger.setPointSize(20);
    view.changeFont(bigger);
    const QFontMetrics metrics(bigger);
    QVERIFY(view.line(0).rows > 1);
    QCOMPARE(view.line(0).words[1].width, metrics.horizontalAdvance(QStringLiteral("second")));
    QCOMPARE(view.totalHeight(), view.line(0).rows * metrics.height());
}

void TestChat::trimsTo300AfterThe401stLineKeepingShownHeights()
{
    ChatView view;
    for (int i = 0; i <= 400; ++i)
        view.addLine(QStringLiteral("line %1").arg(i), i % 3 == 0);
    QCOMPARE(view.lineCount(), 300);
    QCOMPARE(view.line(0).words.last().text, QStringLiteral("101"));
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
}

void TestChat::readerKeepsHisPlace()
{
    // In reader mode the view follows new lines while the reader is at the
    // newest one, also when its height changes; scrolled up, he keeps his
    // place and a marker takes him back down.
    ChatView view;
    view.setReaderMode(true);
    prepare(view, 200, 5 * m_row + 3);
    QScrollBar* bar = view.verticalScrollBar();
    for (int i = 0; i < 30; ++i)
        view.addLine(QStringLiteral("line %1").arg(i), false);
    QCOMPARE(bar->value(), bar->maximum());
    view.resize(view.width(), view.height() - 2 * m_row);
    QCoreApplication::processEvents();
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(view.isAtEnd() && !view.hasNewLinesMarker());

    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    const int place = bar->value();
    QVERIFY(place < bar->maximum() && !view.isAtEnd());
    view.addLine(QStringLiteral("news"), false);
    QCOMPARE(bar->value(), place);
    QVERIFY(view.hasNewLinesMarker());
    auto* marker = view.findChild<QToolButton*>(QStringLiteral("NewLinesMarker"));
    QVERIFY(view.viewport()->geometry().contains(marker->geometry()));
    QTest::mouseClick(marker, Qt::LeftButton);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(!view.hasNewLinesMarker());
    // Back at the end by his own hand, the marker goes too.
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    view.addLine(QStringLiteral("more news"), false);
    QVERIFY(view.hasNewLinesMarker());
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    QVERIFY(view.isAtEnd() && !view.hasNewLinesMarker());
    view.addLine(QStringLiteral("latest"), false);
    QCOMPARE(bar->value(), bar->maximum());

    // Without reader mode every line brings the view to the end.
    view.setReaderMode(false);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    view.addLine(QStringLiteral("again"), false);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(!view.hasNewLinesMarker());
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

// Sorted and found without regard to case, keeping the case each user was
// added with; the buttons act on the chosen user only.
void TestChat::userListAndButtons()
{
    ChatBox box;
    QSignalSpy whisper(&box, &ChatBox::whisper);
    for (const char* name : {"dave", "Carol", "alice", "Bob", "_x", "Éva", "eve"})
        box.addUser(QString::fromUtf8(name));
    QTreeWidget* list = box.userList();
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names.append(list->topLevelItem(i)->text(0));
    QCOMPARE(names, QString::fromUtf8("_x alice Bob Carol dave eve Éva").split(u' '));
    box.setColor(QStringLiteral("CAROL"), Qt::red);
    box.setStrikeOut(QStringLiteral("ALICE"), true);
    box.setColor(QStringLiteral("nobody"), Qt::red);
    QCOMPARE(box.findUser(QStringLiteral("carol"))->text(0), QStringLiteral("Carol"));
    QCOMPARE(box.findUser(QStringLiteral("carol"))->color(), QColor(Qt::red));
    QVERIFY(box.findUser(QStringLiteral("Alice"))->strikeOut());
    box.removeUser(QStringLiteral("BOB"));
    QCOMPARE(list->topLevelItemCount(), 6);

    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(!box.whisperButton()->isEnabled());
    list->setCurrentItem(box.findUser(QStringLiteral("dave")));
    // A double click whispers to the row clicked.
    const QPoint carol = list->visualItemRect(box.findUser(QStringLiteral("carol"))).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, carol);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, carol);
    QCOMPARE(whisper, QList<QVariantList>{{QStringLiteral("Carol")}});
    // When the chosen user leaves, the buttons cannot act on a neighbour
    // the user never picked.
    box.removeUser(QStringLiteral("carol"));
    QVERIFY(!box.whisperButton()->isEnabled());
    QVERIFY(!box.ignoreButton()->isEnabled());
}

void TestChat::typedLinesOnlyLeaveAsSignals()
{
    ChatDialog dialog;
    QSignalSpy global(&dialog, &ChatDialog::globalChat);
    QSignalSpy whisper(&dialog, &ChatDialog::whisper);
    QSignalSpy stop(&dialog, &ChatDialog::stopWhisper);
    dialog.showWhisperBox(QStringLiteral("Ann"));
    dialog.showWhisperBox(QStringLiteral("Ben"));
    QPointer<WhisperBox> ann = dialog.whisperBox(QStringLiteral("Ann"));
    // Return sends the line as typed; on an empty line it sends nothing.
    const QString typed = QStringLiteral("  hello   all ");
    for (QLineEdit* input : {dialog.globalBox()->inputLine(), ann->inputLine()}) {
        QTest::keyClicks(input, typed);
        QTest::keyClick(input, Qt::Key_Return);
        QTest::keyClick(input, Qt::Key_Return);
        QVERIFY(input->text().isEmpty());
    }
    QCOMPARE(global, QList<QVariantList>{{typed}});
    QCOMPARE(whisper, QList<QVariantList>{(QVariantList{QStringLiteral("Ann"), typed})});

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

    // A new tab for the same nickname is a new conversation.
    dialog.addWhisperMessage(Qt::gray, Qt::black, QStringLiteral("Ann"), QStringLiteral("back"));
    QCOMPARE(chatLines(dialog.whisperBox(QStringLiteral("Ann"))->view()),
             QStringList{QStringLiteral("back")});
}

// Whisper tabs are lit while behind (the script commands' case finds them by
// the exact nickname).
void TestChat::whisperTabsAndChannelState()
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

    // Brought forward, a tab goes out; a tab missing is created lit.
    dialog.showWhisperBox(QStringLiteral("bob"));
    QCOMPARE(tabs->currentWidget(), dialog.whisperBox(QStringLiteral("bob")));
    QVERIFY(!dialog.isMarkedActive(dialog.whisperBox(QStringLiteral("bob"))));
    dialog.hilightWhisper(QStringLiteral("Cleo"));
    QVERIFY(dialog.isMarkedActive(dialog.whisperBox(QStringLiteral("Cleo"))));

    // A reset touches one channel; the font reaches every view, whisper tabs
    // opened later too.
    dialog.addGlobalUser(QStringLiteral("Ann"));
    dialog.addGameUser(QStringLiteral("Ann"));
    dialog.resetGame();
    QVERIFY(dialog.globalBox()->findUser(QStringLiteral("ann")));
    QVERIFY(!dialog.gameBox()->findUser(QStringLiteral("ann")));
    QFont font(QStringLiteral("DejaVu Serif"), 15);
    dialog.changeFont(font);
    dialog.showWhisperBox(QStringLiteral("Late"));
    for (ChatView* view : {dialog.globalBox()->view(), dialog.membersBox()->view(),
                           dialog.whisperBox(QStringLiteral("bob"))->view(),
                           dialog.whisperBox(QStringLiteral("Late"))->view()})
        QCOMPARE(view->font(), font);
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

QTEST_MAIN(TestChat)
#include "tst_chat.moc"
