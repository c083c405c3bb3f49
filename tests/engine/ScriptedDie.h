#pragma once

#include "DieSource.h"

#include <deque>
#include <functional>

// Hands out pinned values, for the die and for the computer's random pick alike. Once
// the script is used up it answers 1 and counts the overrun, so a test can tell.
class ScriptedDie : public DieSource {
public:
    std::deque<int> values;
    int overruns = 0;
    int draws = 0;
    // Called before each draw, to note who is drawing.
    std::function<void(int n)> onDraw;

    void push(std::initializer_list<int> v) { values.insert(values.end(), v); }

    int draw(int n) override {
        ++draws;
        if (onDraw) {
            onDraw(n);
        }
        if (values.empty()) {
            ++overruns;
            return 1;
        }
        const int v = values.front();
        values.pop_front();
        return v >= 1 && v <= n ? v : 1;
    }
};
