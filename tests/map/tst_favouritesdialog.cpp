#include "favouritesdialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

// The favourites dialog's slots and the slot its Store button reports.
class TestFavouritesDialog : public QObject
{
    Q_OBJECT

private slots:
    void freshDialogHasEmptySlots();
    void setSlotChangesOnlyThatSlot();
    void storeReportsCheckedSlot();
    void cancelHides();
};

namespace {

QList<QRadioButton*> slotButtons(const FavouritesDialog& dialog)
{
    return dialog.findChildren<QRadioButton*>(QStringLiteral("FavouritesSlot"));
}

QStringList texts(const FavouritesDialog& dialog)
{
    QStringList list;
    for (const QRadioButton* button : slotButtons(dialog))
        list << button->text();
    return list;
}

} // namespace

void TestFavouritesDialog::freshDialogHasEmptySlots()
{
    const FavouritesDialog dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("FavouritesDialog"));
    QCOMPARE(texts(dialog), QStringList(5, QStringLiteral("Empty slot")));
    QVERIFY(!dialog.isModal());
}

void TestFavouritesDialog::setSlotChangesOnlyThatSlot()
{
    FavouritesDialog dialog;
    dialog.setSlot(2, QStringLiteral("Archipelago"), QStringLiteral("Ann"));
    dialog.setSlot(5, QStringLiteral("Nowhere"), QStringLiteral("Bob"));
    dialog.setSlot(-1, QStringLiteral("Nowhere"), QStringLiteral("Bob"));
    QStringList expected(5, QStringLiteral("Empty slot"));
    expected[2] = QStringLiteral("Archipelago by Ann");
    QCOMPARE(texts(dialog), expected);
}

void TestFavouritesDialog::storeReportsCheckedSlot()
{
    FavouritesDialog dialog;
    dialog.show();
    QSignalSpy stores(&dialog, &FavouritesDialog::store);
    auto* store = dialog.findChild<QPushButton*>(QStringLiteral("FavouritesOkButton"));
    QTest::mouseClick(store, Qt::LeftButton);
    QCOMPARE(stores.count(), 0);
    slotButtons(dialog).at(1)->click();
    QTest::mouseClick(store, Qt::LeftButton);
    QCOMPARE(stores.count(), 1);
    QCOMPARE(stores.first().first().toInt(), 1);
    QVERIFY(dialog.isVisible());
}

void TestFavouritesDialog::cancelHides()
{
    FavouritesDialog dialog;
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("FavouritesCancelButton")),
                      Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestFavouritesDialog)
#include "tst_favouritesdialog.moc"
