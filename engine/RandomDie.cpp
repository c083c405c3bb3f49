#include "DieSource.h"

#include <chrono>
#include <cstdint>

RandomDie::RandomDie() {
    seedFromClock();
}

RandomDie::RandomDie(unsigned seed) : generator_(seed) {}

void RandomDie::seedFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    generator_.seed(static_cast<std::mt19937::result_type>(ticks ^ (ticks >> 32)));
}

int RandomDie::draw(int n) {
    if (n < 1) {
        return 1;
    }
    // What std::uniform_int_distribution<int>(1, n) draws from a 32-bit generator, so the
    // sequence of a seed stays what it has always been, without the distribution's general
    // set-up at every throw: the generator's word times n, kept when its low half is clear
    // of the bias region.
    const auto range = static_cast<std::uint32_t>(n);
    std::uint64_t product = static_cast<std::uint64_t>(generator_()) * range;
    auto low = static_cast<std::uint32_t>(product);
    if (low < range) {
        const std::uint32_t threshold = (0u - range) % range;
        while (low < threshold) {
            product = static_cast<std::uint64_t>(generator_()) * range;
            low = static_cast<std::uint32_t>(product);
        }
    }
    return static_cast<int>(product >> 32) + 1;
}
