#include "bannerview.h"
#include "marquee.h"
#include "marqueerotation.h"
#include "question.h"
#include "splash.h"

#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

class TestUi : public QObject
{
    Q_OBJECT

private slots:
    void marqueeTextScrollsAndWraps();
    void marqueeBannerFollowsShowBanner();
    void marqueePanelLayout();
    void drawnBannerShowsNameAndSeatColours();
    void rotation_data();
    void rotation();
    void rotationMemberLoggingInWhileShown();
    void questionAnswers();
    void splashFinishHidesOnNextPass();
};

void TestUi::marqueeTextScrollsAndWraps()
{
    Marquee marquee;
    marquee.resize(474, 100);
    // Seventeen sentences, each followed by a wide gap.
    const QString gap(10, QLatin1Char(' '));
    QVERIFY(marquee.scrollText().endsWith(gap));
    QCOMPARE(marquee.scrollText().split(gap, Qt::SkipEmptyParts).size(), 17);
    // The timer moves the text even while the marquee is hidden.
    QVERIFY(marquee.isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(marquee.offset() >= 3, 2000);
    // The offset wraps only once the text has left entirely.
    const int limit = Marquee::PanelSize.width() + marquee.textWidth();
    QVERIFY(marquee.textWidth() > Marquee::PanelSize.width());
    while (marquee.offset() < limit)
        marquee.increaseCurrent();
    QCOMPARE(marquee.offset(), limit);
    marquee.increaseCurrent();
    QCOMPARE(marquee.offset(), 0);
}

void TestUi::marqueeBannerFollowsShowBanner()
{
    QWidget board;
    auto* marquee = new Marquee(&board);
    marquee->setGeometry(0, 0, 474, 100);
    board.show();
    BannerView* banner = marquee->browser();
    QVERIFY(!banner->isVisible());
    marquee->showBanner(true);
    QVERIFY(banner->isVisible());
    QCOMPARE(banner->geometry(), QRect(3, 3, 468, 60));
    marquee->showBanner(false);
    QVERIFY(!banner->isVisible());
}

void TestUi::marqueePanelLayout()
{
    Marquee marquee;
    marquee.resize(474, 100);
    const QImage image = marquee.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Black outline, red panel between the frames, white banner and text frames.
    const QList<QPair<QPoint, QColor>> probes{{{0, 50}, Qt::black},   {{1, 50}, Qt::red},
                                              {{100, 64}, Qt::red},   {{473, 50}, Qt::black},
                                              {{2, 2}, Qt::black},    {{200, 30}, Qt::white},
                                              {{471, 63}, Qt::black}, {{472, 63}, Qt::red}};
    for (const auto& [point, colour] : probes)
        QCOMPARE(QColor(image.pixel(point)), colour);
    // The text starts at the right edge and has not moved in yet: the text
    // frame is blank white apart from its outline.
    for (int x = 3; x < 470; x += 7)
        QCOMPARE(QColor(image.pixel(x, 83)), QColor(Qt::white));
    for (int i = 0; i < 200; ++i)
        marquee.increaseCurrent();
    const QImage moved = marquee.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int dark = 0;
    for (int y = 67; y < 98; ++y) {
        for (int x = 274; x < 470; ++x)
            dark += qGray(moved.pixel(x, y)) < 100;
    }
    QVERIFY(dark > 50);
}

void TestUi::drawnBannerShowsNameAndSeatColours()
{
    BannerView banner;
    QCOMPARE(banner.size(), QSize(468, 60));
    const QImage image = banner.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    int white = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
            white += image.pixel(x, y) == qRgb(255, 255, 255);
        }
    }
    for (const QColor seat : {QColor(Qt::yellow), QColor(Qt::red), QColor(Qt::cyan),
                              QColor(Qt::blue), QColor(Qt::green), QColor(Qt::magenta)})
        QVERIFY2(colours.contains(seat.rgb()), qPrintable(seat.name()));
    // The game's name is written in white.
    QVERIFY(white > 50);
}

// Each row is a sequence of ticks five seconds apart, starting at second 1000;
// the expected string has one letter per tick: K keep, S show, H hide.
void TestUi::rotation_data()
{
    QTest::addColumn<bool>("member");
    QTest::addColumn<QString>("expected");
    // Shown at the first tick, hidden at the tick 10 s later, back after 300 s.
    QTest::newRow("non-member") << false
                                << QStringLiteral("SKH") + QString(59, QLatin1Char('K')) +
                                       QStringLiteral("SKH");
    QTest::newRow("member never sees it") << true << QString(65, QLatin1Char('K'));
}

void TestUi::rotation()
{
    QFETCH(bool, member);
    QFETCH(QString, expected);
    qint64 now = 1000;
    MarqueeRotation rotation;
    rotation.setClock([&now] { return now; });
    bool visible = false;
    QString steps;
    for (int i = 0; i < expected.size(); ++i, now += 5) {
        const MarqueeRotation::Step step = rotation.tick(visible, member);
        if (step != MarqueeRotation::Step::Keep)
            visible = step == MarqueeRotation::Step::Show;
        steps += step == MarqueeRotation::Step::Keep ? QLatin1Char('K')
                                                     : QLatin1Char(visible ? 'S' : 'H');
    }
    QCOMPARE(steps, expected);
}

void TestUi::rotationMemberLoggingInWhileShown()
{
    qint64 now = 5000;
    MarqueeRotation rotation;
    rotation.setClock([&now] { return now; });
    QCOMPARE(rotation.tick(false, false), MarqueeRotation::Step::Show);
    now += 9;
    QCOMPARE(rotation.tick(true, true), MarqueeRotation::Step::Keep);
    now += 1;
    QCOMPARE(rotation.tick(true, true), MarqueeRotation::Step::Hide);
    now += 3600;
    QCOMPARE(rotation.tick(false, true), MarqueeRotation::Step::Keep);
}

void TestUi::questionAnswers()
{
    QWidget parent;
    Question question(tr("Logout"), tr("Do you really want to log out?"), &parent,
                      QStringLiteral("LogoutDialog"));
    auto* title = question.findChild<QLabel*>(QStringLiteral("TitleLabel"));
    QVERIFY(title && title->font().bold());
    QCOMPARE(title->text(), QStringLiteral("Logout"));
    QSignalSpy yes(&question, &Question::yes);
    QSignalSpy no(&question, &Question::no);

    // On a fresh dialog Return is yes.
    question.show();
    QVERIFY(QTest::qWaitForWindowExposed(&question));
    QTest::keyClick(&question, Qt::Key_Return);
    QCOMPARE(yes.size(), 1);
    QVERIFY(!question.isVisible());

    question.show();
    QTest::mouseClick(question.findChild<QPushButton*>(QStringLiteral("YesButton")),
                      Qt::LeftButton);
    QCOMPARE(yes.size(), 2);
    QCOMPARE(no.size(), 0);
    QVERIFY(!question.isVisible());
    QCOMPARE(question.result(), int(QDialog::Rejected));

    question.show();
    QTest::mouseClick(question.findChild<QPushButton*>(QStringLiteral("NoButton")), Qt::LeftButton);
    QCOMPARE(no.size(), 1);
    QVERIFY(!question.isVisible());
    // Closing the window and Escape are no as well.
    question.show();
    QVERIFY(question.close());
    QCOMPARE(no.size(), 2);
    question.show();
    QTest::keyClick(&question, Qt::Key_Escape);
    QCOMPARE(no.size(), 3);
    QCOMPARE(yes.size(), 2);
}

void TestUi::splashFinishHidesOnNextPass()
{
    Splash splash;
    QVERIFY(!splash.picture().isNull());
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    splash.showNow();
    QVERIFY(splash.windowHandle()->isExposed());
    splash.finish();
    QVERIFY(splash.isVisible());
    QTRY_VERIFY(!splash.isVisible());
}

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
