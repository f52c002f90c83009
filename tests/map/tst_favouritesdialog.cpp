#include "favouritesdialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

// The favourites dialog's five slots and the slot its Store button reports.
class TestFavouritesDialog : public QObject
{
    Q_OBJECT

private slots:
    void slotTexts();
    void storeAndCancel();
};

namespace {

QList<QRadioButton*> slotButtons(const FavouritesDialog& dialog)
{
    return dialog.findChildren<QRadioButton*>(QStringLiteral("FavouritesSlot"));
}

QPushButton* button(const FavouritesDialog& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

} // namespace

void TestFavouritesDialog::slotTexts()
{
    FavouritesDialog dialog;
    QVERIFY(!dialog.isModal());
    dialog.setSlot(2, QStringLiteral("Archipelago"), QStringLiteral("Ann"));
    dialog.setSlot(5, QStringLiteral("Nowhere"), QStringLiteral("Bob"));
    dialog.setSlot(-1, QStringLiteral("Nowhere"), QStringLiteral("Bob"));
    QStringList expected(5, QStringLiteral("Empty slot"));
    expected[2] = QStringLiteral("Archipelago by Ann");
    QStringList texts;
    for (const QRadioButton* slot : slotButtons(dialog))
        texts << slot->text();
    QCOMPARE(texts, expected);
}

void TestFavouritesDialog::storeAndCancel()
{
    FavouritesDialog dialog;
    dialog.show();
    QSignalSpy stores(&dialog, &FavouritesDialog::store);
    // Nothing is stored until a slot is checked.
    QTest::mouseClick(button(dialog, "FavouritesOkButton"), Qt::LeftButton);
    QCOMPARE(stores.count(), 0);
    slotButtons(dialog).at(1)->click();
    QTest::mouseClick(button(dialog, "FavouritesOkButton"), Qt::LeftButton);
    QCOMPARE(QList<QVariantList>(stores), QList<QVariantList>({{1}}));
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(button(dialog, "FavouritesCancelButton"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestFavouritesDialog)
#include "tst_favouritesdialog.moc"
