#include "maskswidget.h"
#include "usersdialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

// The masks page: the requests and signals of its buttons in their order and
// the rows it shows; the matching itself is the lobby model's.
class TestMasks : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void singleStarMakesEveryoneFriend();
    void caseOnlyDuplicateDropped();
    void emptyInputEmitsNothing();
    void removalKeepsUserStillMatched();
    void removalEmitsEvenWithoutMatches();
    void removeButtonFollowsMaskSelection();
    void selectingUserFillsInput();
    void hintExampleMatchesAndBareNicknameDoesNot();

private:
    void type(const QString& text, const char* buttonName);
    QTreeWidget* maskList() const;

    LobbyModel* m_model = nullptr;
    UsersDialog* m_dialog = nullptr;
    MasksWidget* m_masks = nullptr;
};

void TestMasks::init()
{
    m_model = new LobbyModel;
    m_dialog = new UsersDialog(m_model);
    m_masks = m_dialog->masksWidget();
    m_dialog->addUser(QStringLiteral("Ann"), QStringLiteral("ann.example.org"));
    m_dialog->addUser(QStringLiteral("Bob"), QStringLiteral("10.0.0.2"));
}

void TestMasks::cleanup()
{
    delete m_dialog;
    delete m_model;
}

void TestMasks::type(const QString& text, const char* buttonName)
{
    m_masks->findChild<QLineEdit*>("InputBox")->setText(text);
    QTest::mouseClick(m_masks->findChild<QPushButton*>(QLatin1String(buttonName)), Qt::LeftButton);
}

QTreeWidget* TestMasks::maskList() const
{
    return m_masks->findChild<QTreeWidget*>("MaskList");
}

void TestMasks::hintExampleMatchesAndBareNicknameDoesNot()
{
    // The nickname alone leaves Bob alone, as the hint under the field says.
    type(QStringLiteral("bob"), "FriendButton");
    QVERIFY(!m_dialog->findUser("Bob")->isFriend);
    auto* hint = m_masks->findChild<QLabel*>("InputHint");
    // The example the hint gives is a mask that works.
    const QString text = hint->text();
    const qsizetype open = text.indexOf(QLatin1Char('"'));
    const qsizetype close = text.indexOf(QLatin1Char('"'), open + 1);
    QVERIFY(open >= 0 && close > open + 1);
    type(text.mid(open + 1, close - open - 1), "FriendButton");
    QVERIFY(m_dialog->findUser("Bob")->isFriend);
    QVERIFY(!m_dialog->findUser("Ann")->isFriend);
}

void TestMasks::singleStarMakesEveryoneFriend()
{
    m_dialog->insertMask(QStringLiteral("Bob@*"), QStringLiteral("friend"));
    QVERIFY(m_dialog->findUser("Bob")->isFriend);
    QSignalSpy requests(m_dialog, &UsersDialog::addMask);
    QSignalSpy friends(m_dialog, &UsersDialog::isFriend);
    type(QStringLiteral("  *  "), "FriendButton");
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.first(), (QVariantList{"*", "friend"}));
    // Bob was a friend already: one signal, for Ann.
    QCOMPARE(friends.count(), 1);
    QCOMPARE(friends.first(), (QVariantList{"Ann", true}));
    QVERIFY(m_dialog->findUser("Ann")->isFriend);
    QVERIFY(m_masks->findChild<QLineEdit*>("InputBox")->text().isEmpty());
}

void TestMasks::caseOnlyDuplicateDropped()
{
    type(QStringLiteral("bob@*"), "EnemyButton");
    QSignalSpy requests(m_dialog, &UsersDialog::addMask);
    QSignalSpy enemies(m_dialog, &UsersDialog::isEnemy);
    type(QStringLiteral("BOB@*"), "EnemyButton");
    // The server still hears of it; the list does not grow.
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.first(), (QVariantList{"BOB@*", "enemy"}));
    QCOMPARE(maskList()->topLevelItemCount(), 1);
    QCOMPARE(enemies.count(), 0);
}

void TestMasks::emptyInputEmitsNothing()
{
    QSignalSpy requests(m_dialog, &UsersDialog::addMask);
    type(QStringLiteral("   "), "FriendButton");
    type(QString(), "EnemyButton");
    QCOMPARE(requests.count(), 0);
    QCOMPARE(maskList()->topLevelItemCount(), 0);
}

void TestMasks::removalKeepsUserStillMatched()
{
    m_dialog->insertMask(QStringLiteral("Ann@*"), QStringLiteral("friend"));
    m_dialog->insertMask(QStringLiteral("*@ann.example.org"), QStringLiteral("friend"));
    m_dialog->insertMask(QStringLiteral("Bob@*"), QStringLiteral("friend"));
    QSignalSpy friends(m_dialog, &UsersDialog::isFriend);
    QSignalSpy removals(m_dialog, &UsersDialog::removeMask);

    maskList()->setCurrentItem(maskList()->findItems("Ann@*", Qt::MatchExactly, 1).first());
    QTest::mouseClick(m_masks->findChild<QPushButton*>("RemoveButton"), Qt::LeftButton);
    QCOMPARE(removals.count(), 1);
    QCOMPARE(removals.first(), (QVariantList{"Ann@*", "friend"}));
    QCOMPARE(friends.count(), 0);
    QVERIFY(m_dialog->findUser("Ann")->isFriend);

    maskList()->setCurrentItem(maskList()->findItems("Bob@*", Qt::MatchExactly, 1).first());
    QTest::mouseClick(m_masks->findChild<QPushButton*>("RemoveButton"), Qt::LeftButton);
    QCOMPARE(friends.count(), 1);
    QCOMPARE(friends.first(), (QVariantList{"Bob", false}));
    QVERIFY(!m_dialog->findUser("Bob")->isFriend);
}

void TestMasks::removalEmitsEvenWithoutMatches()
{
    m_dialog->insertMask(QStringLiteral("nobody@nowhere"), QStringLiteral("enemy"));
    QSignalSpy removals(m_dialog, &UsersDialog::removeMask);
    QSignalSpy enemies(m_dialog, &UsersDialog::isEnemy);
    maskList()->setCurrentItem(maskList()->topLevelItem(0));
    QTest::mouseClick(m_masks->findChild<QPushButton*>("RemoveButton"), Qt::LeftButton);
    QCOMPARE(removals.count(), 1);
    QCOMPARE(removals.first(), (QVariantList{"nobody@nowhere", "enemy"}));
    QCOMPARE(enemies.count(), 0);
    QCOMPARE(maskList()->topLevelItemCount(), 0);
}

void TestMasks::removeButtonFollowsMaskSelection()
{
    auto* remove = m_masks->findChild<QPushButton*>("RemoveButton");
    QVERIFY(!remove->isEnabled());
    m_dialog->insertMask(QStringLiteral("x"), QStringLiteral("friend"));
    maskList()->setCurrentItem(maskList()->topLevelItem(0));
    QVERIFY(remove->isEnabled());
    QTest::mouseClick(remove, Qt::LeftButton);
    QVERIFY(!remove->isEnabled());
}

void TestMasks::selectingUserFillsInput()
{
    auto* users = m_masks->findChild<QTreeWidget*>("UserList");
    users->setCurrentItem(users->findItems("Bob", Qt::MatchExactly).first());
    QCOMPARE(m_masks->findChild<QLineEdit*>("InputBox")->text(), QStringLiteral("Bob@10.0.0.2"));
    // Someone else logging off leaves the typed text alone.
    m_masks->findChild<QLineEdit*>("InputBox")->setText(QStringLiteral("*@10.0.0.*"));
    m_dialog->removeUser(QStringLiteral("Bob"));
    QCOMPARE(m_masks->findChild<QLineEdit*>("InputBox")->text(), QStringLiteral("*@10.0.0.*"));
}

QTEST_MAIN(TestMasks)
#include "tst_masks.moc"
