#pragma once

#include <QString>

// The levels of the server's robots, as the robot list numbers them: what
// each is called and how it plays, for the robot dialog and the choice of
// opponents. A level the client does not know yet keeps its number.
class RobotLevel
{
public:
    static constexpr int Easy = 1;
    static constexpr int Normal = 2;
    static constexpr int Hard = 3;
    static constexpr int Expert = 4;
    static constexpr int Highest = Expert;

    static QString name(int level);
    // One or two sentences: how the robot plays and how strong it is.
    static QString description(int level);
    // A few words on how strong the robot is.
    static QString summary(int level);
    // "2 Normal", as a list of levels shows one.
    static QString title(int level);
};
