// The board and the player list, and the maps travelling between the board
// and the server.

#include "tarvenix.h"

#include "map.h"
#include "move.h"
#include "parser.h"
#include "playerlist.h"
#include "seatcolors.h"
#include "sender.h"

#include <QStackedWidget>
#include <QToolBar>

void Tarvenix::createMap()
{
    m_mapModel = std::make_unique<MapModel>();
    m_seats = std::make_unique<SeatTable>();
    m_seatColors = std::make_unique<SeatColors>();
    m_map = new Map(*m_mapModel, *m_seatColors, this);
    setCentralWidget(m_map);
    m_playerList = new PlayerList(*m_seats, *m_seatColors, m_bottomBar);
    m_bottomBar->addWidget(m_playerList);
}

void Tarvenix::connectMap()
{
    Parser* p = m_parser;
    connect(p, &Parser::startMap, this, &Tarvenix::parseStartMap);
    connect(p, &Parser::continentMap, this, &Tarvenix::parseContinentMap);
    connect(p, &Parser::countryMap, this, &Tarvenix::parseCountryMap);
    connect(p, &Parser::neighbourMap, this, &Tarvenix::parseNeighbourMap);
    connect(p, &Parser::lineMap, this, &Tarvenix::parseLineMap);
    connect(p, &Parser::endMap, this, &Tarvenix::parseEndMap);
    connect(p, &Parser::country, this, &Tarvenix::parseCountry);
    connect(p, &Parser::dice, m_map, &Map::dice);

    // Storing a map sends it as the same sequence the server sends.
    connect(m_map, &Map::startMap, m_sender, &Sender::startMap);
    connect(m_map, &Map::continentMap, m_sender, &Sender::continentMap);
    connect(m_map, &Map::countryMap, m_sender, &Sender::countryMap);
    connect(m_map, &Map::neighbourMap, m_sender, &Sender::neighbourMap);
    connect(m_map, &Map::lineMap, m_sender, &Sender::lineMap);
    connect(m_map, &Map::endMap, m_sender, &Sender::endMap);
}

void Tarvenix::parseStartMap(int id, const QString& name, const QString& picture, const char* index,
                             int length)
{
    m_map->beginLoading(id, name, picture, index, length);
}

void Tarvenix::parseContinentMap(int number, const QString& name, int value)
{
    if (m_mapModel->isLoading())
        m_map->addContinent(number, name, value);
}

void Tarvenix::parseCountryMap(int number, const QString& name, int continent, int textX, int textY,
                               int areaX, int areaY, int areaWidth, int areaHeight)
{
    if (m_mapModel->isLoading())
        m_map->addCountry(number, name, continent, textX, textY, areaX, areaY, areaWidth,
                          areaHeight);
}

void Tarvenix::parseNeighbourMap(int country, int neighbour)
{
    if (m_mapModel->isLoading())
        m_map->addNeighbour(country, neighbour);
}

void Tarvenix::parseLineMap(int x1, int y1, int x2, int y2)
{
    if (m_mapModel->isLoading())
        m_map->addLine(x1, y1, x2, y2);
}

void Tarvenix::parseEndMap()
{
    m_mapModel->endLoading();
}

void Tarvenix::parseCountry(int country, int owner, int armies)
{
    // The chronicle compares with the owner the country had so far.
    const QList<TurnLine> lines = m_chronicle->country(country, owner, armies);
    m_mapModel->setCountry(country, owner, armies);
    m_map->endPreview(country);
    gameLines(lines);
    m_mapModel->clearSelection();
    // A country update ends any open move panel, and the preview it showed.
    if (m_stack->currentWidget() == m_move)
        m_map->endPreview();
    raisePage(CardsPage);
}
