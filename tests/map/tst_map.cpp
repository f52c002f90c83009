#include "map.h"
#include "marquee.h"
#include "testpicture.h"
#include "tint.h"

#include <QSignalSpy>
#include <QTest>

#include <zlib.h>

Q_DECLARE_METATYPE(MapMode)

// The board on a small synthetic picture: the map transfer, storing, and the
// clicks of every mode given as real mouse events.
class TestMap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void unknownPictureSelectsWorld();
    void sameMapIdIsIgnored();
    void storeEmitsInOrder();
    void storeSendsLinesBeforeTheEnd();

    void clickNeedsOneCountry_data();
    void clickNeedsOneCountry();
    void placeInitialIgnoresFullCountries();
    void placeReportsTheButton();
    void attackDice_data();
    void attackDice();
    void selectionSurvivesWrongTargets();
    void pickCapital();

    void paintBordersSnaps();
    void eraseCascades();
    void pickNeighboursToggles();
    void pickAreaAndTextPosition();
    void previewBurnsAndRestores();

    void hoverText();
    void setCountryKeepsPies();
    void statusTextFollowsPlacing();
    void diceKeepOnlyValidValues();
    void marqueeIsCentred();

private:
    QPoint at(QPoint picturePoint) const { return picturePoint + m_map->offset(); }
    void click(QPoint picturePoint, Qt::MouseButton button = Qt::LeftButton);
    void drag(QPoint from, QPoint to);
    void hover(QPoint picturePoint);
    void loadThreeCountries();

    Map* m_map = nullptr;
};

// Inside country 1, 2 and 3 of the test picture, and one sea pixel.
constexpr QPoint InOne{8, 10};
constexpr QPoint InTwo{28, 10};
constexpr QPoint InThree{48, 10};
constexpr QPoint AtSea{0, 0};

void TestMap::initTestCase()
{
    // The built-in pictures are replaced by the test picture anyway.
    QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.map.warning=false"));
}

void TestMap::init()
{
    m_map = new Map;
    QImage europe = TestPicture::image().scaled(80, 40);
    m_map->setPictures(
        {{QStringLiteral("world"), TestPicture::image()}, {QStringLiteral("europe"), europe}});
    m_map->resize(Map::MinimumSize);
    m_map->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_map));
    loadThreeCountries();
}

void TestMap::cleanup()
{
    delete m_map;
    m_map = nullptr;
}

void TestMap::loadThreeCountries()
{
    const QByteArray block = TestPicture::compressedIndex();
    m_map->beginLoading(7, QStringLiteral("Test"), QStringLiteral("world"), block.constData(),
                        int(block.size()));
    m_map->addContinent(1, QStringLiteral("Land"), 5);
    m_map->addCountry(1, QStringLiteral("Alpha"), 1, 6, 14, 2, 2, 16, 26);
    m_map->addCountry(2, QStringLiteral("Beta"), 1, 26, 14, 21, 2, 17, 26);
    m_map->addCountry(3, QStringLiteral("Gamma"), 1, 46, 14, 41, 2, 17, 26);
    m_map->addNeighbour(1, 2);
    m_map->addNeighbour(2, 3);
    m_map->endLoading();
    m_map->setLocalSeat(0);
    m_map->setCountry(1, 0, 3);
    m_map->setCountry(2, 0, 3);
    m_map->setCountry(3, 1, 3);
}

void TestMap::click(QPoint picturePoint, Qt::MouseButton button)
{
    QTest::mouseClick(m_map, button, {}, at(picturePoint));
}

void TestMap::drag(QPoint from, QPoint to)
{
    QTest::mousePress(m_map, Qt::LeftButton, {}, at(from));
    QTest::mouseRelease(m_map, Qt::LeftButton, {}, at(to));
}

void TestMap::hover(QPoint picturePoint)
{
    const QPointF pos = at(picturePoint);
    QMouseEvent move(QEvent::MouseMove, pos, m_map->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(m_map, &move);
}

void TestMap::unknownPictureSelectsWorld()
{
    m_map->reset(QStringLiteral("europe"));
    QCOMPARE(m_map->picture().name(), QStringLiteral("europe"));
    QCOMPARE(m_map->picture().size(), QSize(80, 40));
    m_map->reset(QStringLiteral("atlantis"));
    QCOMPARE(m_map->picture().name(), QStringLiteral("world"));
    QVERIFY(m_map->countries().empty());
    QCOMPARE(m_map->mapId(), 0);
    QCOMPARE(m_map->mode(), MapMode::Idle);
    QCOMPARE(m_map->countriesPie().total(), 0);
}

void TestMap::sameMapIdIsIgnored()
{
    QCOMPARE(m_map->mapId(), 7);
    QVERIFY(!m_map->isLoading());
    m_map->beginLoading(7, QStringLiteral("Test"), QStringLiteral("world"), nullptr, 0);
    QVERIFY(!m_map->isLoading());
    QCOMPARE(int(m_map->countries().size()), 3);
    QCOMPARE(m_map->country(3)->owner, 1);
    QCOMPARE(m_map->picture().indexAt(InTwo), 2);

    m_map->beginLoading(8, QStringLiteral("Other"), QStringLiteral("world"), nullptr, 0);
    QVERIFY(m_map->isLoading());
    QCOMPARE(m_map->mapId(), 8);
    QCOMPARE(m_map->mapName(), QStringLiteral("Other"));
    QVERIFY(m_map->countries().empty());
    // No index came with it: the picture is bare, nothing can be clicked.
    QCOMPARE(m_map->picture().indexAt(InTwo), 0);
}

void TestMap::storeEmitsInOrder()
{
    QStringList calls;
    QByteArray block;
    connect(m_map, &Map::startMap, this,
            [&](const QString& picture, const QString& name, const unsigned char* data, int n) {
                calls << QStringLiteral("start %1 %2").arg(picture, name);
                block = QByteArray(reinterpret_cast<const char*>(data), n);
            });
    connect(m_map, &Map::continentMap, this, [&](int n, const QString& name, int value) {
        calls << QStringLiteral("continent %1 %2 %3").arg(n).arg(name).arg(value);
    });
    connect(m_map, &Map::countryMap, this,
            [&](int n, const QString& name, int continent, int tx, int ty, int ax, int ay, int aw,
                int ah) {
                calls << QStringLiteral("country %1 %2 %3 %4,%5 %6,%7 %8x%9")
                             .arg(n)
                             .arg(name)
                             .arg(continent)
                             .arg(tx)
                             .arg(ty)
                             .arg(ax)
                             .arg(ay)
                             .arg(aw)
                             .arg(ah);
            });
    connect(m_map, &Map::neighbourMap, this,
            [&](int a, int b) { calls << QStringLiteral("neighbour %1 %2").arg(a).arg(b); });
    connect(m_map, &Map::lineMap, this,
            [&](int, int, int, int) { calls << QStringLiteral("line"); });
    connect(m_map, &Map::endMap, this,
            [&](int slot) { calls << QStringLiteral("end %1").arg(slot); });

    m_map->store(3, QStringLiteral("Mine"));
    const QStringList expected = {
        QStringLiteral("start world Mine"),
        QStringLiteral("continent 1 Land 5"),
        QStringLiteral("country 1 Alpha 1 6,14 2,2 16x26"),
        QStringLiteral("neighbour 1 2"),
        QStringLiteral("country 2 Beta 1 26,14 21,2 17x26"),
        QStringLiteral("neighbour 2 1"),
        QStringLiteral("neighbour 2 3"),
        QStringLiteral("country 3 Gamma 1 46,14 41,2 17x26"),
        QStringLiteral("neighbour 3 2"),
        QStringLiteral("end 3"),
    };
    QCOMPARE(calls, expected);

    // The block is the index as it stands, readable by another picture.
    MapPicture copy(QStringLiteral("copy"), TestPicture::image());
    copy.setIndex(block.constData(), int(block.size()));
    const std::vector<qint32> index = TestPicture::index();
    QVERIFY(std::equal(index.begin(), index.end(), copy.index()));
}

void TestMap::storeSendsLinesBeforeTheEnd()
{
    m_map->addLine(50, 20, 10, 5);
    QStringList calls;
    connect(m_map, &Map::lineMap, this, [&](int x1, int y1, int x2, int y2) {
        calls << QStringLiteral("line %1,%2 %3,%4").arg(x1).arg(y1).arg(x2).arg(y2);
    });
    connect(m_map, &Map::endMap, this,
            [&](int slot) { calls << QStringLiteral("end %1").arg(slot); });
    m_map->store(0, QStringLiteral("Sea"));
    QCOMPARE(calls, QStringList({QStringLiteral("line 10,5 50,20"), QStringLiteral("end 0")}));
}

void TestMap::clickNeedsOneCountry_data()
{
    QTest::addColumn<MapMode>("mode");
    QTest::newRow("PickCapital") << MapMode::PickCapital;
    QTest::newRow("PlaceInitial") << MapMode::PlaceInitial;
    QTest::newRow("Place") << MapMode::Place;
    QTest::newRow("Move") << MapMode::Move;
    QTest::newRow("Attack") << MapMode::Attack;
    QTest::newRow("PickNeighbours") << MapMode::PickNeighbours;
}

void TestMap::clickNeedsOneCountry()
{
    QFETCH(MapMode, mode);
    if (mode == MapMode::PickNeighbours)
        m_map->pickNeighbours(3);
    m_map->setMode(mode);
    QSignalSpy place(m_map, &Map::placeArmies);
    QSignalSpy capital(m_map, &Map::capitalPicked);
    QSignalSpy move(m_map, &Map::doMove);
    QSignalSpy attack(m_map, &Map::attack);
    auto reacted = [&] {
        return place.count() + capital.count() + move.count() + attack.count() > 0 ||
               m_map->country(1)->selected || m_map->country(1)->isNeighbour(3) ||
               m_map->highlighted() == 1;
    };

    drag(InOne, InTwo);
    drag(InOne, AtSea);
    drag(AtSea, InOne);
    QVERIFY(!reacted());
    QVERIFY(!m_map->country(2)->selected);

    // The same press and release on one country does count.
    drag(InOne, InOne + QPoint(3, 4));
    QVERIFY(reacted());
}

void TestMap::placeInitialIgnoresFullCountries()
{
    m_map->setMode(MapMode::PlaceInitial);
    QSignalSpy place(m_map, &Map::placeArmies);
    m_map->setCountry(1, 0, 4);
    click(InOne);
    QCOMPARE(place.count(), 0);
    m_map->setCountry(1, 0, 3);
    click(InOne);
    QCOMPARE(place.count(), 1);
    QCOMPARE(place.takeFirst(), QVariantList({1, false}));
    // The limit belongs to the initial placing only.
    m_map->setCountry(1, 0, 9);
    m_map->setMode(MapMode::Place);
    click(InOne);
    QCOMPARE(place.count(), 1);
}

void TestMap::placeReportsTheButton()
{
    m_map->setMode(MapMode::Place);
    QSignalSpy place(m_map, &Map::placeArmies);
    click(InTwo, Qt::RightButton);
    click(InTwo, Qt::LeftButton);
    click(InThree, Qt::LeftButton);
    QCOMPARE(place.count(), 2);
    QCOMPARE(place.at(0), QVariantList({2, true}));
    QCOMPARE(place.at(1), QVariantList({2, false}));

    // Watching: even a country without an owner is not "own".
    m_map->setLocalSeat(-1);
    m_map->setCountry(1, -1, 0);
    click(InOne);
    QCOMPARE(place.count(), 2);
}

void TestMap::attackDice_data()
{
    QTest::addColumn<int>("armies");
    QTest::addColumn<int>("dice");
    QTest::newRow("1 army cannot attack") << 1 << 0;
    QTest::newRow("2 armies") << 2 << 1;
    QTest::newRow("3 armies") << 3 << 2;
    QTest::newRow("4 armies") << 4 << 3;
    QTest::newRow("5 armies") << 5 << 3;
    QTest::newRow("12 armies") << 12 << 3;
}

void TestMap::attackDice()
{
    QFETCH(int, armies);
    QFETCH(int, dice);
    m_map->setMode(MapMode::Attack);
    m_map->setDoOrDie(true);
    m_map->setCountry(2, 0, armies);
    QSignalSpy attack(m_map, &Map::attack);
    click(InTwo);
    QCOMPARE(m_map->country(2)->selected, dice > 0);
    click(InThree);
    if (dice == 0) {
        QCOMPARE(attack.count(), 0);
        return;
    }
    QCOMPARE(attack.count(), 1);
    QCOMPARE(attack.first(), QVariantList({2, 3, dice, true}));
    QVERIFY(!m_map->country(2)->selected);
    // Each attack needs a new pair of clicks.
    click(InThree);
    QCOMPARE(attack.count(), 1);
}

void TestMap::selectionSurvivesWrongTargets()
{
    m_map->setMode(MapMode::Attack);
    QSignalSpy attack(m_map, &Map::attack);
    QSignalSpy move(m_map, &Map::doMove);
    click(InTwo);
    click(InOne);
    QVERIFY(m_map->country(2)->selected);
    QVERIFY(!m_map->country(1)->selected);
    click(InTwo);
    QVERIFY(!m_map->country(2)->selected);

    m_map->setMode(MapMode::Move);
    click(InTwo);
    click(InThree);
    QVERIFY(m_map->country(2)->selected);
    click(InOne);
    QCOMPARE(move.count(), 1);
    QCOMPARE(move.first(), QVariantList({2, 1}));
    QVERIFY(!m_map->country(2)->selected);

    // An own country that is no neighbour of the selected one changes nothing.
    m_map->setCountry(3, 0, 3);
    click(InOne);
    click(InThree);
    QVERIFY(m_map->country(1)->selected);
    QVERIFY(!m_map->country(3)->selected);
    click(InTwo);
    QCOMPARE(move.count(), 2);
    QCOMPARE(move.last(), QVariantList({1, 2}));
    QCOMPARE(attack.count(), 0);
}

void TestMap::pickCapital()
{
    m_map->setMode(MapMode::PickCapital);
    QSignalSpy capital(m_map, &Map::capitalPicked);
    click(InThree);
    QCOMPARE(capital.count(), 0);
    click(InTwo);
    QCOMPARE(capital.count(), 1);
    QCOMPARE(capital.first().first().toInt(), 2);
    QCOMPARE(m_map->highlighted(), 2);
}

void TestMap::paintBordersSnaps()
{
    m_map->reset(QStringLiteral("world"));
    m_map->setMode(MapMode::PaintBorders);
    drag({10, 5}, {30, 5});
    QCOMPARE(m_map->points(), QList<QPoint>({{10, 5}, {30, 5}}));
    QCOMPARE(int(m_map->lines().size()), 1);

    // Within two pixels the drag joins the existing point.
    drag({11, 7}, {20, 20});
    QCOMPARE(m_map->points().size(), 3);
    QCOMPARE(m_map->lines().back().p1(), QPoint(10, 5));
    QCOMPARE(m_map->lines().back().p2(), QPoint(20, 20));

    // Exactly three pixels straight below still snaps; three and one aside not.
    drag({10, 8}, {40, 25});
    QCOMPARE(m_map->lines().back().p1(), QPoint(10, 5));
    drag({13, 4}, {45, 25});
    QVERIFY(m_map->points().contains(QPoint(13, 4)));

    // Both ends on one point: no line, no new point.
    const auto points = m_map->points().size();
    const auto lines = m_map->lines().size();
    drag({9, 6}, {11, 4});
    QCOMPARE(m_map->points().size(), points);
    QCOMPARE(m_map->lines().size(), lines);
    // A click is no drag.
    click({50, 10});
    QCOMPARE(m_map->points().size(), points);
}

void TestMap::eraseCascades()
{
    m_map->reset(QStringLiteral("world"));
    m_map->setMode(MapMode::PaintBorders);
    const QPoint a(10, 5), b(30, 5), c(20, 20), d(50, 20);
    drag(a, b);
    drag(a, c);
    drag(c, d);
    QCOMPARE(m_map->points().size(), 4);

    m_map->setMode(MapMode::EraseBorders);
    // Ends on two different points erase nothing.
    drag(a, b);
    QCOMPARE(int(m_map->lines().size()), 3);

    click(a + QPoint(1, -1));
    QCOMPARE(int(m_map->lines().size()), 1);
    QCOMPARE(m_map->lines().front().p1(), c);
    QCOMPARE(m_map->points(), QList<QPoint>({c, d}));

    click(c);
    QVERIFY(m_map->lines().empty());
    QVERIFY(m_map->points().isEmpty());
}

void TestMap::pickNeighboursToggles()
{
    const MapPicture& picture = m_map->picture();
    auto shown = [&](QPoint p) {
        return picture.coloured().pixel(p);
    };
    auto original = [&](QPoint p) {
        return picture.picture().pixel(p);
    };

    m_map->pickNeighbours(1);
    QCOMPARE(m_map->mode(), MapMode::PickNeighbours);
    QCOMPARE(shown(InOne), Tint(Qt::yellow).apply(original(InOne)));
    QCOMPARE(shown(InTwo), Tint(Qt::white).apply(original(InTwo)));
    QCOMPARE(shown(InThree), original(InThree));

    click(InThree);
    QVERIFY(m_map->country(1)->isNeighbour(3));
    QVERIFY(m_map->country(3)->isNeighbour(1));
    QCOMPARE(shown(InThree), Tint(Qt::white).apply(original(InThree)));
    click(InTwo);
    QVERIFY(!m_map->country(1)->isNeighbour(2));
    QVERIFY(!m_map->country(2)->isNeighbour(1));
    QVERIFY(m_map->country(2)->isNeighbour(3));
    QCOMPARE(shown(InTwo), original(InTwo));
    // The picked country itself is no neighbour of itself.
    click(InOne);
    QVERIFY(!m_map->country(1)->isNeighbour(1));
}

void TestMap::pickAreaAndTextPosition()
{
    m_map->reset(QStringLiteral("world"));
    m_map->addContinent(0, QStringLiteral("C"), 2);
    m_map->addCountry(1, QStringLiteral("New"), 0);
    const Country* c = m_map->country(1);
    QCOMPARE(c->owner, 0);
    QVERIFY(c->area.isEmpty());

    m_map->setMode(MapMode::PaintBorders);
    drag({30, 0}, {30, 29});
    m_map->preview();
    m_map->previewContinue();

    m_map->pickArea(1);
    drag({5, 5}, {6, 5});
    QCOMPARE(m_map->picture().indexAt({5, 5}), 0);
    click({5, 5});
    QCOMPARE(m_map->picture().indexAt({5, 5}), 1);
    QCOMPARE(m_map->picture().indexAt({40, 5}), 0);
    QCOMPARE(c->area, QRect(QPoint(2, 2), QPoint(28, 27)));
    QCOMPARE(QPoint(c->textX, c->textY), QPoint(5, 5));
    QCOMPARE(c->armies, 88);
    // The label stays where the first click put it.
    click({40, 20});
    QCOMPARE(c->area, QRect(QPoint(2, 2), QPoint(57, 27)));
    QCOMPARE(QPoint(c->textX, c->textY), QPoint(5, 5));

    m_map->pickTextPosition(1);
    QTest::mousePress(m_map, Qt::LeftButton, {}, at({12, 20}));
    QCOMPARE(QPoint(c->textX, c->textY), QPoint(12, 20));
    QTest::mouseRelease(m_map, Qt::LeftButton, {}, at({12, 20}));

    m_map->stopPicking();
    QCOMPARE(m_map->mode(), MapMode::Idle);
    QCOMPARE(c->armies, 0);
    QCOMPARE(m_map->picked(), 1);
    QCOMPARE(m_map->picture().coloured().pixel(5, 5),
             Tint(Qt::yellow).apply(m_map->picture().picture().pixel(5, 5)));
}

void TestMap::previewBurnsAndRestores()
{
    m_map->reset(QStringLiteral("world"));
    m_map->setMode(MapMode::PaintBorders);
    drag({20, 0}, {20, 29});
    m_map->preview();
    QCOMPARE(m_map->mode(), MapMode::Preview);
    QCOMPARE(m_map->picture().indexAt({20, 10}), -1);
    QCOMPARE(m_map->picture().indexAt({21, 10}), -2);

    m_map->previewRestore();
    QCOMPARE(m_map->mode(), MapMode::PaintBorders);
    QCOMPARE(m_map->picture().indexAt({20, 10}), 0);
    QCOMPARE(int(m_map->lines().size()), 1);

    m_map->preview();
    m_map->previewContinue();
    QCOMPARE(m_map->mode(), MapMode::Idle);
    QVERIFY(m_map->lines().empty());
    QVERIFY(m_map->points().isEmpty());
    QCOMPARE(m_map->picture().indexAt({20, 10}), -1);
}

void TestMap::hoverText()
{
    hover(InTwo);
    QCOMPARE(m_map->infoText(), QStringLiteral("Beta - Land [5]"));
    hover({19, 10});
    QCOMPARE(m_map->infoText(), QString());
    hover(InOne);
    QCOMPARE(m_map->infoText(), QStringLiteral("Alpha - Land [5]"));
    hover(AtSea);
    QCOMPARE(m_map->infoText(), QString());
    m_map->removeContinents();
    hover(InThree);
    QCOMPARE(m_map->infoText(), QStringLiteral("Gamma"));
}

void TestMap::setCountryKeepsPies()
{
    const StatisticsPie& armies = m_map->armiesPie();
    const StatisticsPie& countries = m_map->countriesPie();
    QCOMPARE(countries.value(0), 2);
    QCOMPARE(countries.value(1), 1);
    QCOMPARE(armies.value(0), 6);
    QCOMPARE(armies.total(), 9);

    m_map->setCountry(2, 0, 3);
    QCOMPARE(armies.value(0), 6);
    QCOMPARE(countries.value(0), 2);

    m_map->setCountry(2, 0, 7);
    QCOMPARE(armies.value(0), 10);
    QCOMPARE(countries.value(0), 2);

    m_map->setBackgroundColor(4, QColor(0, 200, 255));
    m_map->setCountry(2, 4, 2);
    QCOMPARE(countries.value(0), 1);
    QCOMPARE(countries.value(4), 1);
    QCOMPARE(armies.value(0), 3);
    QCOMPARE(armies.value(4), 2);
    QCOMPARE(countries.total(), 3);
    const MapPicture& picture = m_map->picture();
    QCOMPARE(picture.coloured().pixel(InTwo),
             Tint(QColor(0, 200, 255)).apply(picture.picture().pixel(InTwo)));

    m_map->setCountry(2, -1, 0);
    QCOMPARE(countries.total(), 2);
    QCOMPARE(picture.coloured().pixel(InTwo), picture.picture().pixel(InTwo));
    m_map->setCountry(99, 0, 5);
    QCOMPARE(armies.total(), 6);
}

void TestMap::statusTextFollowsPlacing()
{
    m_map->setMode(MapMode::Place);
    m_map->setArmyTarget(9);
    m_map->updatePlaceStatus();
    QCOMPARE(m_map->statusText(), QStringLiteral("You should place 3 armies"));
    m_map->setCountry(1, 0, 5);
    QCOMPARE(m_map->statusText(), QStringLiteral("You should place 1 armies"));
    m_map->setCountry(2, 0, 4);
    QCOMPARE(m_map->statusText(), QString());
    m_map->setMode(MapMode::Idle);
    m_map->setArmyTarget(20);
    m_map->updatePlaceStatus();
    QCOMPARE(m_map->statusText(), QString());
}

void TestMap::diceKeepOnlyValidValues()
{
    m_map->setBackgroundColor(1, Qt::red);
    m_map->setBackgroundColor(2, Qt::green);
    m_map->dice(1, 6, 0, 7, 2, 5, 1);
    QCOMPARE(m_map->die(0).value(), 6);
    QCOMPARE(m_map->die(1).value(), 0);
    QCOMPARE(m_map->die(2).value(), 0);
    QCOMPARE(m_map->die(0).color(), QColor(Qt::red));
    QCOMPARE(m_map->die(3).value(), 5);
    QCOMPARE(m_map->die(4).color(), QColor(Qt::green));
    // A seat outside the table leaves the last throw.
    m_map->dice(6, 1, 1, 1, 2, 1, 1);
    QCOMPARE(m_map->die(0).value(), 6);
}

void TestMap::marqueeIsCentred()
{
    QVERIFY(!m_map->marqueeVisible());
    QCOMPARE(m_map->marquee()->objectName(), QStringLiteral("marquee"));
    m_map->resize(1001, 600);
    QCOMPARE(m_map->marquee()->geometry(), QRect(263, 250, 474, 100));
    m_map->showMarquee();
    QVERIFY(m_map->marqueeVisible());
    m_map->hideMarquee();
    QVERIFY(!m_map->marqueeVisible());
}

QTEST_MAIN(TestMap)
#include "tst_map.moc"
