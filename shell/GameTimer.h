#pragma once

#include "EngineTimer.h"

#include <QObject>
#include <QTimer>

#include <functional>

// One of the window's timers as the engine sees it. Setting the running state or the
// interval to the value it already has changes nothing; changing either restarts the
// count. An interval of 0 never fires, as the engine expects of a timer left without one.
class GameTimer : public QObject, public EngineTimer {
    Q_OBJECT

public:
    explicit GameTimer(QObject* parent = nullptr);

    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }

    void start() override;
    void stop() override;
    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    bool isActive() const override { return active_; }

private:
    void restart();

    QTimer timer_;
    std::function<void()> handler_;
    int interval_ = 1000;
    bool active_ = false;
};
