#include "chatview.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTest>

// Word splitting, row wrapping, the line limits, the height bookkeeping with
// hidden lines, and the incrementally kept image against a full repaint.
class TestChatView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void splitWords_data();
    void splitWords();
    void wrapping_data();
    void wrapping();
    void trimsTo300AfterThe401stLine();
    void trimKeepsHeightOfShownLinesOnly();
    void hiddenLineNeitherScrollsNorShows();
    void fewLinesFillFromTheTop();
    void unseenViewOpensAtTheNewestLine();
    void fontChangeRewraps();
    void incrementalImageMatchesFullPaint();
    void scrolledImageMatchesFullPaint();

private:
    // A shown view whose viewport is exactly width pixels wide.
    void prepare(ChatView& view, int width, int height = 200);
    QImage snapshot(ChatView& view);

    QFont m_font;
    int m_char = 0;
    int m_row = 0;
};

void TestChatView::init()
{
    m_font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_font.setFamily(QStringLiteral("DejaVu Sans Mono"));
    m_font.setPointSize(10);
    const QFontMetrics fm(m_font);
    m_char = fm.horizontalAdvance(QLatin1Char('a'));
    m_row = fm.height();
}

void TestChatView::prepare(ChatView& view, int width, int height)
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

QImage TestChatView::snapshot(ChatView& view)
{
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void TestChatView::splitWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");

    const auto words = [](const char* text) {
        return QString::fromUtf8(text).split(u' ');
    };
    QTest::addRow("six separators") << "a b\tc\nd\ve\ff\rg" << words("a b c d e f g");
    QTest::addRow("runs, leading and trailing") << "  a  \t\r\n b \n" << words("a b");
    QTest::addRow("only separators") << " \t \r\n" << QStringList();
    QTest::addRow("other spaces are letters")
        << QString::fromUtf8("a\u00a0b \u4f60\u3000\u597d") << words("a\u00a0b \u4f60\u3000\u597d");
}

void TestChatView::splitWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(ChatView::splitWords(text), words);
}

void TestChatView::wrapping_data()
{
    // The viewport is the indent (row height + two spaces) plus ten characters.
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rows");

    QTest::newRow("fits") << "aaaa bbbb" << 1;
    QTest::newRow("ends exactly at the edge") << "aaaa bbbbb" << 1;
    QTest::newRow("one too wide wraps") << "aaaa bbbbbb" << 2;
    QTest::newRow("long word keeps a row of its own") << "a bbbbbbbbbbbbbbbbbbbb c" << 3;
    QTest::newRow("too wide first word leaves the circle alone") << "bbbbbbbbbbbbbbbbbbbb" << 2;
    QTest::newRow("no words") << "   " << 1;
}

void TestChatView::wrapping()
{
    QFETCH(QString, text);
    QFETCH(int, rows);

    ChatView view;
    prepare(view, m_row + 2 * m_char + 10 * m_char);
    view.addLine(text, false);
    QCOMPARE(view.line(0).rows, rows);
    QCOMPARE(view.totalHeight(), rows * m_row);
}

void TestChatView::trimsTo300AfterThe401stLine()
{
    ChatView view;
    for (int i = 0; i < 400; ++i)
        view.addLine(QStringLiteral("line %1").arg(i), i % 3 == 0);
    QCOMPARE(view.lineCount(), 400);

    view.addLine(QStringLiteral("line 400"), false);
    QCOMPARE(view.lineCount(), 300);
    QCOMPARE(view.line(0).words.last().text, QStringLiteral("101"));
    QCOMPARE(view.line(299).words.last().text, QStringLiteral("400"));

    int sum = 0;
    for (int i = 0; i < view.lineCount(); ++i)
        sum += view.line(i).height;
    QCOMPARE(view.totalHeight(), sum);

    // Without a limit every line stays.
    view.setLineLimits(0, 0);
    for (int i = 0; i < 500; ++i)
        view.addLine(QStringLiteral("more"), false);
    QCOMPARE(view.lineCount(), 800);
}

void TestChatView::trimKeepsHeightOfShownLinesOnly()
{
    ChatView view;
    prepare(view, 400);
    view.setLineLimits(3, 2);
    view.showHideable(false);

    view.addLine(QStringLiteral("join one"), true);
    view.addLine(QStringLiteral("part two"), true);
    view.addLine(QStringLiteral("said three"), false);
    QCOMPARE(view.totalHeight(), m_row);

    // The trim takes the two hidden lines: only the new line adds height.
    view.addLine(QStringLiteral("said four"), false);
    QCOMPARE(view.lineCount(), 2);
    QCOMPARE(view.totalHeight(), 2 * m_row);

    view.addLine(QStringLiteral("said five"), false);
    QCOMPARE(view.totalHeight(), 3 * m_row);
    // Now two shown lines go, and their heights with them.
    view.addLine(QStringLiteral("said six"), false);
    QCOMPARE(view.lineCount(), 2);
    QCOMPARE(view.totalHeight(), 2 * m_row);
    QCOMPARE(view.line(0).words.last().text, QStringLiteral("five"));

    view.showHideable(true);
    QCOMPARE(view.totalHeight(), 2 * m_row);
}

void TestChatView::hiddenLineNeitherScrollsNorShows()
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

    view.addLine(QStringLiteral("line 20"), false);
    view.showHideable(true);
    QCOMPARE(view.totalHeight(), height + 2 * m_row);
    // The joined line sits in its place, between line 19 and line 20.
    QCOMPARE(view.line(20).top, view.line(19).top + m_row);
    QCOMPARE(view.line(21).top, view.line(20).top + m_row);
    QVERIFY(view.line(20).height > 0);
}

void TestChatView::fewLinesFillFromTheTop()
{
    ChatView view;
    prepare(view, 300, 10 * m_row);
    view.addLine(Qt::red, Qt::black, QStringLiteral("first"), false);
    view.addLine(Qt::red, Qt::black, QStringLiteral("second"), false);
    QCOMPARE(view.verticalScrollBar()->maximum(), 0);

    const QImage image = snapshot(view);
    // A red circle in the first row, the rows below the two lines stay white.
    const int space = QFontMetrics(m_font).horizontalAdvance(QLatin1Char(' '));
    const QRgb centre = image.pixel(space + m_row / 2, m_row / 2);
    QCOMPARE(qRed(centre), 255);
    QCOMPARE(qGreen(centre), 0);
    for (int y = 2 * m_row; y < image.height(); y += 3)
        QCOMPARE(image.pixel(150, y), qRgb(255, 255, 255));
}

void TestChatView::unseenViewOpensAtTheNewestLine()
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

    // Once it has been seen, a resize or hiding the join lines keeps the
    // place the user scrolled to; a new line brings the newest into view.
    bar->setValue(bar->maximum() / 2);
    const int place = bar->value();
    view->resize(view->width() - 60, view->height());
    QCOMPARE(bar->value(), place);
    view->showHideable(false);
    QCOMPARE(bar->value(), place);
    view->addLine(QStringLiteral("newest"), false);
    QCOMPARE(bar->value(), bar->maximum());
}

void TestChatView::fontChangeRewraps()
{
    ChatView view;
    prepare(view, m_row + 2 * m_char + 10 * m_char);
    view.addLine(QStringLiteral("aaaa bbbb"), false);
    QCOMPARE(view.line(0).rows, 1);

    QFont bigger = m_font;
    bigger.setPointSize(20);
    view.changeFont(bigger);
    QVERIFY(view.line(0).rows > 1);
    QCOMPARE(view.line(0).words[0].width,
             QFontMetrics(bigger).horizontalAdvance(QStringLiteral("aaaa")));
    QCOMPARE(view.totalHeight(), view.line(0).rows * QFontMetrics(bigger).height());
}

void TestChatView::incrementalImageMatchesFullPaint()
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
}

void TestChatView::scrolledImageMatchesFullPaint()
{
    ChatView view;
    prepare(view, 300, 6 * m_row);
    for (int i = 0; i < 50; ++i)
        view.addLine(
            Qt::yellow, Qt::black,
            QStringLiteral("line %1 %2").arg(i).arg(QStringLiteral("pad ").repeated(i % 9)), false);
    snapshot(view);
    QScrollBar* bar = view.verticalScrollBar();
    // Small steps shift the kept image; the last is a jump of more than a page.
    for (int value : {bar->maximum() - 5, bar->maximum() - 2 * m_row, bar->maximum() - 3, 17, 0}) {
        bar->setValue(value);
        const QImage shifted = snapshot(view);
        view.showHideable(true); // forces a full repaint at the same position
        QCOMPARE(bar->value(), value);
        QCOMPARE(shifted, snapshot(view));
    }
}

QTEST_MAIN(TestChatView)
#include "tst_chatview.moc"
