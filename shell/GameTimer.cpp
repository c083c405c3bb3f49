#include "GameTimer.h"

GameTimer::GameTimer(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (handler_)
            handler_();
    });
}

void GameTimer::start() {
    if (active_)
        return;
    active_ = true;
    restart();
}

void GameTimer::stop() {
    active_ = false;
    timer_.stop();
}

void GameTimer::setInterval(int ms) {
    if (ms == interval_)
        return;
    interval_ = ms;
    if (active_)
        restart();
}

void GameTimer::restart() {
    timer_.stop();
    // A zero interval would fire at every turn of the event loop; the engine treats it
    // as a timer that is on but never comes due.
    if (interval_ > 0)
        timer_.start(interval_);
}
