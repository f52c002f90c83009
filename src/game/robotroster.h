#pragma once

#include "robotgameplan.h"

#include <QList>
#include <QObject>
#include <QString>

// A robot the server offers, as its robot message describes it.
struct RobotInfo
{
    QString name;
    QString owner;
    int rating = 0;
    int games = 0;
    int level = 0;

    bool operator==(const RobotInfo&) const = default;
};

// The robots the server offers, by name (case-sensitive) in the order they
// were first announced. The robot dialog shows them; the game handlers look
// up a seated robot's rating, level and games here.
class RobotRoster : public QObject
{
    Q_OBJECT

public:
    explicit RobotRoster(QObject* parent = nullptr);

    // A second message for a name updates that robot in place.
    void store(const RobotInfo& robot);
    void clear();

    const RobotInfo* find(const QString& name) const;
    const QList<RobotInfo>& robots() const { return m_robots; }
    QList<RobotChoice> choices() const;

signals:
    // The robot at that place was added or its values changed.
    void stored(int index, bool added);
    void cleared();

private:
    QList<RobotInfo> m_robots;
};
