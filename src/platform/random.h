#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace pw {

// The program's source of random choices (parts drawn, random keys, questions), injectable so
// that tests and `--seed` runs are reproducible.
class Random
{
public:
    virtual ~Random() = default;
    // Start a fresh sequence from the clock. A seeded generator keeps its sequence instead, so
    // that a whole seeded run is reproducible.
    virtual void reseedFromClock() = 0;
    // A uniform integer in 0 .. n-1; 0 when n <= 0.
    virtual int below(int n) = 0;
    // A uniform integer in low .. high (inclusive).
    int between(int low, int high) { return high < low ? low : low + below(high - low + 1); }
};

class StdRandom : public Random
{
public:
    // Without a seed the generator follows the clock; with one it is reproducible.
    explicit StdRandom(std::optional<std::uint64_t> seed = std::nullopt);
    void reseedFromClock() override;
    int below(int n) override;

private:
    bool m_seeded;
    std::mt19937_64 m_engine;
};

} // namespace pw
