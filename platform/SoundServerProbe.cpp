#include "SoundServerProbe.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>

namespace {

using Clock = std::chrono::steady_clock;

// One short-lived connection driven by its own main loop; torn down in the destructor
// whatever state it reached.
class ProbeConnection {
public:
    explicit ProbeConnection(Clock::time_point deadline) : deadline_(deadline) {
        loop_ = pa_mainloop_new();
        if (!loop_)
            return;
        context_ = pa_context_new(pa_mainloop_get_api(loop_), "Les Bramidou probe");
        if (!context_)
            return;
        // Without NOAUTOSPAWN a desktop without a server would get one started by us,
        // which is slow and not ours to decide.
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return;
        while (true) {
            const pa_context_state_t state = pa_context_get_state(context_);
            if (state == PA_CONTEXT_READY) {
                ready_ = true;
                return;
            }
            if (!PA_CONTEXT_IS_GOOD(state) || !iterate())
                return;
        }
    }

    ~ProbeConnection() {
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        if (loop_)
            pa_mainloop_free(loop_);
    }

    ProbeConnection(const ProbeConnection&) = delete;
    ProbeConnection& operator=(const ProbeConnection&) = delete;

    bool ready() const { return ready_; }
    pa_context* context() const { return context_; }

    // Runs the loop until the operation is done; false when the deadline passed first or
    // the connection broke.
    bool wait(pa_operation* op) {
        if (!op)
            return false;
        bool done = true;
        while (pa_operation_get_state(op) == PA_OPERATION_RUNNING) {
            if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)) || !iterate()) {
                pa_operation_cancel(op);
                done = false;
                break;
            }
        }
        if (done && pa_operation_get_state(op) != PA_OPERATION_DONE)
            done = false;
        pa_operation_unref(op);
        return done;
    }

private:
    // One poll of the loop, never past the deadline.
    bool iterate() {
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline_ - Clock::now());
        if (left.count() <= 0)
            return false;
        if (pa_mainloop_prepare(loop_, static_cast<int>(left.count())) < 0)
            return false;
        if (pa_mainloop_poll(loop_) < 0)
            return false;
        return pa_mainloop_dispatch(loop_) >= 0;
    }

    Clock::time_point deadline_;
    pa_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    bool ready_ = false;
};

void countSink(pa_context*, const pa_sink_info* info, int eol, void* userdata) {
    if (eol == 0 && info)
        ++*static_cast<int*>(userdata);
}

} // namespace

int SoundServerProbe::sinkCount(std::chrono::milliseconds budget) {
    ProbeConnection connection(Clock::now() + budget);
    if (!connection.ready())
        return unreachable;
    int sinks = 0;
    pa_operation* op = pa_context_get_sink_info_list(connection.context(), countSink, &sinks);
    return connection.wait(op) ? sinks : unreachable;
}

bool SoundServerProbe::answers(std::chrono::milliseconds budget) {
    return ProbeConnection(Clock::now() + budget).ready();
}
