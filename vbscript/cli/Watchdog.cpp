#include "Watchdog.h"

namespace vbsrun {

Watchdog::Watchdog(std::function<void()> stop, std::function<void()> giveUp)
    : stop_(std::move(stop)), giveUp_(std::move(giveUp))
{
}

Watchdog::~Watchdog()
{
    finish();
    if (thread_.joinable()) thread_.join();
}

void Watchdog::arm(int seconds)
{
    {
        std::lock_guard lock(m_);
        seconds_ = seconds;
        deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        cv_.notify_all();
    }
    // Most runs have no limit: their thread would only cost start-up time.
    if (seconds > 0 && !thread_.joinable()) thread_ = std::thread([this] { watch(); });
}

int Watchdog::seconds() const
{
    std::lock_guard lock(m_);
    return seconds_;
}

bool Watchdog::expired() const
{
    std::lock_guard lock(m_);
    return expired_;
}

void Watchdog::finish()
{
    std::lock_guard lock(m_);
    finished_ = true;
    cv_.notify_all();
}

void Watchdog::watch()
{
    std::unique_lock lock(m_);
    for (;;) {
        if (finished_) return;
        if (seconds_ == 0) {
            cv_.wait(lock);
            continue;
        }
        auto deadline = deadline_;
        if (cv_.wait_until(lock, deadline) == std::cv_status::no_timeout || deadline != deadline_) continue;
        if (finished_ || seconds_ == 0 || std::chrono::steady_clock::now() < deadline_) continue;
        expired_ = true;
        lock.unlock();
        stop_();
        lock.lock();
        if (cv_.wait_for(lock, kGrace, [this] { return finished_; })) return;
        lock.unlock();
        giveUp_();
    }
}

}  // namespace vbsrun
