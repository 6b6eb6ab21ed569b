#include "platform/random.h"

#include <chrono>

namespace pw {

namespace {
std::uint64_t clockSeed()
{
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
        ^ static_cast<std::uint64_t>(std::random_device {}());
}
} // namespace

StdRandom::StdRandom(std::optional<std::uint64_t> seed)
    : m_seeded(seed.has_value())
    , m_engine(seed.value_or(clockSeed()))
{
}

void StdRandom::reseedFromClock()
{
    if (!m_seeded)
        m_engine.seed(clockSeed());
}

int StdRandom::below(int n)
{
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
}

} // namespace pw
