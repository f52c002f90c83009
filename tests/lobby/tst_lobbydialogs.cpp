#include "newgamedialog.h"
#include "robotdialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

// The new-game dialog's values and slots, and the robot dialog's list.
class TestLobbyDialogs : public QObject
{
    Q_OBJECT

private slots:
    void newGameCarriesChoices();
    void spinBoxTexts();
    void mapSlots();

    void robotDialog();
};

namespace {

QSpinBox* spin(const QWidget* dialog, const char* name)
{
    return dialog->findChild<QSpinBox*>(QLatin1String(name));
}

QList<QRadioButton*> slotButtons(const QWidget* dialog, const char* name)
{
    return dialog->findChildren<QRadioButton*>(QLatin1String(name));
}

} // namespace

void TestLobbyDialogs::newGameCarriesChoices()
{
    NewGameDialog dialog;
    dialog.setSlot(true, 4, 99, QStringLiteral("Mine"), QStringLiteral("Me"));
    slotButtons(&dialog, "NewGameMapsPersonalButton").at(4)->click();
    for (const char* box : {"CapitalsBox", "HideCardsBox", "NoBotsBox", "SameLevelBox"})
        dialog.findChild<QAbstractButton*>(QLatin1String(box))->click();
    dialog.findChild<QAbstractButton*>(QStringLiteral("NewGameTimerKickInactiveButton"))->click();
    spin(&dialog, "NewGameTimerHumanSpinBox")->stepDown();
    spin(&dialog, "NewGameTimerRatingSpinBox")->stepBy(3);
    QSignalSpy games(&dialog, &NewGameDialog::newGame);
    dialog.findChild<QPushButton*>(QStringLiteral("NewGameDialogButton"))->click();
    QCOMPARE(games.count(), 1);
    const QVariantList expected{99,    false, true, 120,   false, false, false, true, false,
                                false, 3,     100,  false, false, 1,     true,  false};
    QCOMPARE(games.first(), expected);
    dialog.findChild<QAbstractButton*>(QStringLiteral("NewGameTimerKickNoneButton"))->click();
    QCOMPARE(dialog.timer()->timerMode(), 2);
}

void TestLobbyDialogs::spinBoxTexts()
{
    // Steps from the default, and the value and text they lead to.
    const QList<std::tuple<const char*, int, int, const char*>> rows = {
        {"NewGameTimerHumanSpinBox", -3, 1, "at least 1 human player"},
        {"NewGameTimerHumanSpinBox", 10, 6, "at least 6 human players"},
        {"NewGameTimerTimeoutSpinBox", 200, 1800, "Timeout 30:00 minutes"},
        {"NewGameTimerRatingSpinBox", 0, -50, "No rating range"},
        {"NewGameTimerRatingSpinBox", 20, 400, "Rating range: 400 points"},
    };
    for (const auto& [name, steps, value, text] : rows) {
        NewGameDialog dialog;
        QSpinBox* box = spin(&dialog, name);
        box->stepBy(steps);
        QCOMPARE(box->value(), value);
        QCOMPARE(box->text(), QLatin1String(text));
    }
    // Typed text is ignored; the arrows still step.
    NewGameDialog dialog;
    QSpinBox* box = spin(&dialog, "NewGameTimerTimeoutSpinBox");
    box->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(box, QStringLiteral("600"));
    QTest::keyClick(box, Qt::Key_Enter);
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), QStringLiteral("Timeout 02:15 minutes"));
}

void TestLobbyDialogs::mapSlots()
{
    NewGameDialog dialog;
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("NewGameDialogButton"));
    const auto popular = slotButtons(&dialog, "NewGameMapsPopularButton");
    const auto personal = slotButtons(&dialog, "NewGameMapsPersonalButton");
    // Without a map nothing can be created.
    QSignalSpy invalid(dialog.maps(), &NewGameMaps::invalidMap);
    popular.at(1)->click();
    QCOMPARE(invalid.count(), 1);
    QVERIFY(!button->isEnabled());

    // The slot's map arrives while it is chosen; a map number below 1 is no
    // map.
    dialog.setSlot(false, 1, 8, QStringLiteral("Isles"), QStringLiteral("Bob"));
    QVERIFY(button->isEnabled());
    QCOMPARE(popular.at(1)->text(), QStringLiteral("Isles by Bob"));
    QCOMPARE(dialog.maps()->selectedMapId(), 8);
    dialog.setSlot(false, 1, 0, QStringLiteral("Gone"), QStringLiteral("Bob"));
    QVERIFY(!button->isEnabled());

    // One choice across both kinds of slot; slots outside the five are
    // ignored.
    personal.at(3)->click();
    QVERIFY(!popular.at(1)->isChecked());
    dialog.setSlot(true, 5, 3, QStringLiteral("X"), QStringLiteral("Y"));
    dialog.setSlot(true, -1, 3, QStringLiteral("X"), QStringLiteral("Y"));
    for (QRadioButton* slot : personal)
        QCOMPARE(slot->text(), QStringLiteral("Empty slot"));
    dialog.setSlot(true, 2, 5, QStringLiteral("A"), QStringLiteral("B"));
    personal.at(2)->click();
    QVERIFY(button->isEnabled());
    dialog.reset();
    QVERIFY(!button->isEnabled());
    QCOMPARE(dialog.maps()->selectedMapId(), -1);
    QCOMPARE(personal.at(2)->text(), QStringLiteral("Empty slot"));
}

void TestLobbyDialogs::robotDialog()
{
    RobotDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("RobotDialogList"));
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("RobotDialogButton"));
    // A robot of the same name replaces the row; names are case-sensitive;
    // ratings sort as numbers.
    dialog.store(QStringLiteral("Bot"), QStringLiteral("Ann"), 1200, 5, 2);
    dialog.store(QStringLiteral("Bot"), QStringLiteral("Bob"), 1300, 6, 3);
    dialog.store(QStringLiteral("bot"), QStringLiteral("Carl"), 900, 1, 1);
    dialog.store(QStringLiteral("C"), QStringLiteral("x"), 10000, 1, 1);
    QCOMPARE(list->topLevelItemCount(), 3);
    list->sortByColumn(RobotItem::RatingColumn, Qt::AscendingOrder);
    const QTreeWidgetItem* row = list->topLevelItem(1);
    QCOMPARE(row->text(RobotItem::OwnerColumn), QStringLiteral("Bob"));
    QCOMPARE(row->text(RobotItem::GamesColumn), QStringLiteral("6"));
    QCOMPARE(list->topLevelItem(2)->text(0), QStringLiteral("C"));

    QVERIFY(!button->isEnabled());
    QSignalSpy robots(&dialog, &RobotDialog::startRobot);
    list->setCurrentItem(list->topLevelItem(0));
    QTest::mouseClick(button, Qt::LeftButton);
    const QRect rect = list->visualItemRect(list->topLevelItem(2));
    // A double click is preceded by the press of its first click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(robots, (QList<QVariantList>{{QStringLiteral("bot")}, {QStringLiteral("C")}}));

    dialog.reset();
    QCOMPARE(list->topLevelItemCount(), 0);
    dialog.store(QStringLiteral("Bot"), QStringLiteral("x"), 1, 1, 1);
    QVERIFY(!button->isEnabled());
}

QTEST_MAIN(TestLobbyDialogs)
#include "tst_lobbydialogs.moc"
