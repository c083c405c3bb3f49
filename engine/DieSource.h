#pragma once

#include <random>

// The process's random source: the die and the computer's random pick both draw from it,
// so a test that pins it pins both.
class DieSource {
public:
    virtual ~DieSource() = default;
    // A uniformly distributed integer 1..n (n is 4 or 6).
    virtual int draw(int n) = 0;
    int throwDie() { return draw(6); }
};

// std::mt19937 seeded from the clock once, at start-up.
class RandomDie : public DieSource {
public:
    RandomDie();                       // seeded from the clock
    explicit RandomDie(unsigned seed); // a fixed sequence, for the simulator and benchmarks
    void seedFromClock();
    int draw(int n) override;

private:
    std::mt19937 generator_;
};
