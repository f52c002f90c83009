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
// small ranges. Its position is its seed and the count of numbers drawn
// since, so a saved game's dice go on exactly where they stopped.
class SeededRandom : public Random
{
public:
    struct State
    {
        std::uint64_t seed = 0;
        std::uint64_t drawn = 0;

        bool operator==(const State&) const = default;
    };

    SeededRandom() : SeededRandom(entropy()) {}
    explicit SeededRandom(std::uint64_t seed) : m_engine(seed), m_seed(seed) {}

    int uniform(int low, int high) override
    {
        Counting counting{m_engine, m_drawn};
        return std::uniform_int_distribution<int>(low, high)(counting);
    }
    std::uint64_t next()
    {
        ++m_drawn;
        return m_engine();
    }

    State state() const { return {m_seed, m_drawn}; }
    // Replays the draws from the seed: a few microseconds for a whole game's.
    void restore(const State& state)
    {
        m_seed = state.seed;
        m_drawn = state.drawn;
        m_engine.seed(state.seed);
        m_engine.discard(state.drawn);
    }

private:
    // The engine as the distribution sees it, counting what it hands out.
    struct Counting
    {
        using result_type = std::mt19937_64::result_type;
        static constexpr result_type min() { return std::mt19937_64::min(); }
        static constexpr result_type max() { return std::mt19937_64::max(); }
        result_type operator()()
        {
            ++drawn;
            return engine();
        }
        std::mt19937_64& engine;
        std::uint64_t& drawn;
    };

    static std::uint64_t entropy()
    {
        std::random_device device;
        return (std::uint64_t(device()) << 32) ^ device();
    }

    std::mt19937_64 m_engine;
    std::uint64_t m_seed;
    std::uint64_t m_drawn = 0;
};
