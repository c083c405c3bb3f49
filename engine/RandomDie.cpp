#include "DieSource.h"

#include <chrono>

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
    std::uniform_int_distribution<int> faces(1, n);
    return faces(generator_);
}
