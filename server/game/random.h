#pragma once

#include <cstdint>
#include <random>

// The game's source of chance: dealing, dice, the deck and the robots' own
// choices all draw from one of these, so a seeded one makes a whole game
// repeatable. Tests replace it to script the dice.
class Random
{
public:
    virtual ~Random() = default;
    // A uniform integer in [low, high], without modulo bias.
    virtual int uniform(int low, int high) = 0;

    int die() { return uniform(1, 6); }
    int below(int n) { return uniform(0, n - 1); }
};

// A 64-bit Mersenne Twister, seeded from the system's entropy unless a seed
// is given. The standard distribution rejects the values that would bias the
// small ranges.
class SeededRandom : public Random
{
public:
    SeededRandom() : m_engine(entropy()) {}
    explicit SeededRandom(std::uint64_t seed) : m_engine(seed) {}

    int uniform(int low, int high) override
    {
        return std::uniform_int_distribution<int>(low, high)(m_engine);
    }
    std::uint64_t next() { return m_engine(); }

private:
    static std::uint64_t entropy()
    {
        std::random_device device;
        return (std::uint64_t(device()) << 32) ^ device();
    }

    std::mt19937_64 m_engine;
};
