#pragma once
// Time limits the network keeps whatever the other side does.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace network {

using Clock = std::chrono::steady_clock;
using Deadline = Clock::time_point;

// The time left until `deadline`, rounded up and never below zero: rounded
// down, a wait would end just before the deadline and the caller would go
// round again at once.
inline std::chrono::microseconds timeLeft(Deadline deadline)
{
    const auto rest = deadline - Clock::now();
    return rest > Clock::duration::zero() ? std::chrono::ceil<std::chrono::microseconds>(rest)
                                          : std::chrono::microseconds(0);
}

// Runs `job` on a thread of its own and waits for its result until
// `deadline`; nothing where the deadline came first or the job failed. Some
// calls (miniupnpc's HTTP) keep no overall time of their own: a late job ends
// by itself later, and its result goes nowhere.
template <class Result>
std::optional<Result> within(Deadline deadline, std::function<Result()> job)
{
    struct Handover {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        std::optional<Result> result;
    };
    const auto handover = std::make_shared<Handover>();
    std::thread([handover, job = std::move(job)] {
        std::optional<Result> result;
        try {
            result = job();
        } catch (...) {
        }
        const std::lock_guard lock(handover->mutex);
        handover->result = std::move(result);
        handover->finished = true;
        handover->done.notify_all();
    }).detach();
    std::unique_lock lock(handover->mutex);
    if (!handover->done.wait_until(lock, deadline, [&] { return handover->finished; }))
        return std::nullopt;
    return std::move(handover->result);
}

}  // namespace network
