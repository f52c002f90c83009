#include "newgamedialog.h"
#include "robotdialog.h"

#include <QLabel>
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
    void newGameDefaultsHintAndClose();
    void newGameCarriesChoices();
    void spinBoxTexts();
    void mapSlots();

    void robotRows();
    void robotButtonDoubleClickAndReset();
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

void TestLobbyDialogs::newGameDefaultsHintAndClose()
{
    NewGameDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("NewGameDialogButton"));
    auto* hint = dialog.findChild<QLabel*>(QStringLiteral("NewGameDialogMapHint"));
    // Without a map nothing can be created; the first tab says where the
    // missing choice is made.
    QVERIFY(!button->isEnabled());
    QVERIFY(hint->isVisible());

    dialog.setSlot(false, 0, 17, QStringLiteral("World"), QStringLiteral("Ann"));
    slotButtons(&dialog, "NewGameMapsPopularButton").first()->click();
    QVERIFY(button->isEnabled());
    QVERIFY(!hint->isVisible());
    QSignalSpy games(&dialog, &NewGameDialog::newGame);
    button->click();
    const QVariantList expected{17,    false, false, 120,   false, false, false, false, false,
                                false, 4,     -50,   false, false, 0,     false, true};
    QCOMPARE(games, QList<QVariantList>{expected});
    dialog.reset();
    QVERIFY(hint->isVisible());

    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("NewGameDialogClose")),
                      Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(games.count(), 1);
}

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
        {"NewGameTimerTimeoutSpinBox", -7, 30, "Timeout 00:30 minutes"},
        {"NewGameTimerTimeoutSpinBox", 200, 1800, "Timeout 30:00 minutes"},
        {"NewGameTimerRatingSpinBox", 0, -50, "No rating range"},
        {"NewGameTimerRatingSpinBox", 1, 0, "Rating range: 0 points"},
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
    QCOMPARE(box->value(), 120);
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), QStringLiteral("Timeout 02:15 minutes"));
}

void TestLobbyDialogs::mapSlots()
{
    NewGameDialog dialog;
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("NewGameDialogButton"));
    const auto popular = slotButtons(&dialog, "NewGameMapsPopularButton");
    const auto personal = slotButtons(&dialog, "NewGameMapsPersonalButton");
    QSignalSpy invalid(dialog.maps(), &NewGameMaps::invalidMap);
    popular.at(1)->click();
    QCOMPARE(invalid.count(), 1);
    QVERIFY(!button->isEnabled());

    // The slot's map arrives while it is chosen.
    dialog.setSlot(false, 1, 8, QStringLiteral("Isles"), QStringLiteral("Bob"));
    QVERIFY(button->isEnabled());
    QCOMPARE(popular.at(1)->text(), QStringLiteral("Isles by Bob"));
    QCOMPARE(dialog.maps()->selectedMapId(), 8);
    // A map number below 1 is no map.
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

void TestLobbyDialogs::robotRows()
{
    RobotDialog dialog;
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("RobotDialogList"));
    dialog.store(QStringLiteral("Bot"), QStringLiteral("Ann"), 1200, 5, 2);
    dialog.store(QStringLiteral("Bot"), QStringLiteral("Bob"), 1300, 6, 3);
    QCOMPARE(list->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = list->topLevelItem(0);
    QCOMPARE((QStringList{row->text(RobotItem::OwnerColumn), row->text(RobotItem::RatingColumn),
                          row->text(RobotItem::LevelColumn), row->text(RobotItem::GamesColumn)}),
             (QStringList{QStringLiteral("Bob"), QStringLiteral("1300"), QStringLiteral("3"),
                          QStringLiteral("6")}));
    dialog.store(QStringLiteral("bot"), QStringLiteral("Carl"), 900, 1, 1);
    dialog.store(QStringLiteral("C"), QStringLiteral("x"), 10000, 1, 1);
    QCOMPARE(list->topLevelItemCount(), 3);
    // Ratings sort as numbers.
    list->sortByColumn(RobotItem::RatingColumn, Qt::AscendingOrder);
    QStringList order;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        order << list->topLevelItem(i)->text(0);
    QCOMPARE(order,
             (QStringList{QStringLiteral("bot"), QStringLiteral("Bot"), QStringLiteral("C")}));
}

void TestLobbyDialogs::robotButtonDoubleClickAndReset()
{
    RobotDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("RobotDialogList"));
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("RobotDialogButton"));
    dialog.store(QStringLiteral("Alpha"), QStringLiteral("x"), 1, 1, 1);
    dialog.store(QStringLiteral("Beta"), QStringLiteral("x"), 1, 1, 1);
    QVERIFY(!button->isEnabled());
    QSignalSpy robots(&dialog, &RobotDialog::startRobot);

    list->setCurrentItem(list->topLevelItem(0));
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(robots.count(), 1);
    QCOMPARE(robots.first().first().toString(), QStringLiteral("Alpha"));
    QVERIFY(dialog.isVisible());

    const QRect rect = list->visualItemRect(list->topLevelItem(1));
    // A double click is preceded by the press of its first click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(robots.count(), 2);
    QCOMPARE(robots.last().first().toString(), QStringLiteral("Beta"));

    dialog.reset();
    QCOMPARE(list->topLevelItemCount(), 0);
    QVERIFY(!button->isEnabled());
    QVERIFY(!dialog.findRobot(QStringLiteral("Alpha")));
    dialog.store(QStringLiteral("Alpha"), QStringLiteral("x"), 1, 1, 1);
    QVERIFY(!button->isEnabled());
}

QTEST_MAIN(TestLobbyDialogs)
#include "tst_lobbydialogs.moc"
