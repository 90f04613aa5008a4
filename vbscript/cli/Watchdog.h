#pragma once
// The //T time limit: when it runs out the script is asked to stop; a script
// that does not stop within a grace period (blocked reading input, say)
// ends the process.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vbsrun {

class Watchdog {
public:
    // stop: asks the engine to stop (called on the watchdog's thread).
    // giveUp: the script did not stop in time; must not return.
    Watchdog(std::function<void()> stop, std::function<void()> giveUp);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Starts the count anew; 0 switches the limit off. Called on one thread.
    void arm(int seconds);
    int seconds() const;
    bool expired() const;
    // The run is over: nothing more happens, however late.
    void finish();

    static constexpr std::chrono::seconds kGrace{2};

private:
    void watch();

    std::function<void()> stop_, giveUp_;
    mutable std::mutex m_;
    std::condition_variable cv_;
    std::chrono::steady_clock::time_point deadline_;
    int seconds_ = 0;
    bool expired_ = false;
    bool finished_ = false;
    std::thread thread_;  // started by the first limit
};

}  // namespace vbsrun
