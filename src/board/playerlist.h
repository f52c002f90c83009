#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <array>
#include <optional>

// One occupied seat of the current game.
struct PlayerEntry
{
    QString name;
    bool robot = false;
    int rating = 0;
    int level = 0;
    int games = 0;
    int cards = 0;
    // Armies received so far for exchanged cards.
    int cardArmies = 0;
    bool isFriend = false;
    bool isEnemy = false;
    bool admin = false;
};

// The game's six seats as a painted table: turn arrow, seat colour, name,
// rating, level, games played, and the cards held with the armies received
// for cards.
class PlayerList : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Seats = 6;
    static constexpr int Columns = 7;

    explicit PlayerList(QWidget* parent = nullptr);

    void setPlayer(int seat, const QString& name, int rating, int level, int games, bool robot,
                   bool isFriend, bool isEnemy, bool admin);
    void setRobot(int seat, const QString& name, int rating, int level, int games);
    void removePlayer(int seat);
    void clear();

    void setSeatColor(int seat, const QColor& colour);
    QColor seatColor(int seat) const;
    void setCurrent(int seat);
    int current() const { return m_current; }

    // The entry may be changed in place; call update() afterwards.
    PlayerEntry* entry(int seat);
    const PlayerEntry* entry(int seat) const;
    void setCards(int seat, int cards);
    void setCardArmies(int seat, int armies);
    // An exchange: the armies add up, three cards go.
    void exchanged(int seat, int armies);

    int seatOf(const QString& name, bool humansOnly) const;
    QColor seatColorOf(const QString& name, bool humansOnly) const;

    static QColor nameColor(const PlayerEntry& entry);
    // Left edge and width of a column for the current widget width.
    int columnX(int column) const;
    int columnWidth(int column) const;
    int rowHeight() const { return std::max(height() / Seats, 1); }

    QSize sizeHint() const override;

public slots:
    void makeFriend(const QString& name, bool isFriend);
    void makeEnemy(const QString& name, bool isEnemy);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int fixedWidth(int column) const;
    void paintCell(QPainter& painter, int seat, int column, const QRect& cell);
    void paintCards(QPainter& painter, const PlayerEntry& entry, const QRect& cell);
    static bool validSeat(int seat) { return seat >= 0 && seat < Seats; }

    std::array<std::optional<PlayerEntry>, Seats> m_entries;
    std::array<QColor, Seats> m_seatColors;
    int m_current = -1;
    QPixmap m_arrow;
    QPixmap m_card;
};
