#pragma once

#include "gameengine.h"

#include <QByteArray>

#include <optional>

// A game's state as bytes for the database: small integers in a few bytes
// each (a six-seat game on World takes a few hundred), behind a format
// number so that a later server can still read what an earlier one saved.
// Reading checks only the form; GameEngine::restore() judges the content.
class GameStateCodec
{
public:
    static constexpr int Format = 1;

    static QByteArray encode(const GameEngine::State& state);
    // Nothing when the bytes are cut short, too long, or of another format.
    static std::optional<GameEngine::State> decode(const QByteArray& bytes);
};
