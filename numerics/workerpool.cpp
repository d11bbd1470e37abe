#include "workerpool.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

inline void relax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// A round is one word: its number above, a bit for each member below, set once somebody has
// taken that member's call. Taking it is a fetch-or, so a member and the holder standing in for
// it never both make the call, and a member that comes too late finds its bit set.
std::uint64_t roundOf(std::uint64_t state) { return state >> 32; }

// How long the holder waits for a member to start before it makes the call itself: well above
// the time a running worker takes to see a round, well below a scheduler's time slice.
constexpr std::chrono::microseconds lateAfter(50);
// How long an idle worker spins before it sleeps: longer than the gap between two rounds.
constexpr std::chrono::microseconds sleepAfter(200);

class Pool
{
public:
    explicit Pool(int workers)
    {
        for (int member = 1; member <= workers; ++member)
            threads_.emplace_back([this, member] { serve(member); });
    }

    ~Pool()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        for (std::thread &thread : threads_)
            thread.join();
    }

    int size() const { return int(threads_.size()) + 1; }

    // By the holder only. Its own call is taken from the start.
    void run(void (*call)(void *, int), void *work)
    {
        call_ = call;
        work_ = work;
        done_.store(0, std::memory_order_relaxed);
        const std::uint64_t round = roundOf(state_.load(std::memory_order_relaxed)) + 1;
        state_.store(round << 32 | (~std::uint64_t(0) << size() & 0xffffffff) | 1);
        if (sleeping_.load() > 0) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
            }
            wake_.notify_all();
        }
        call(work, 0);
        const Clock::time_point late = Clock::now() + lateAfter;
        for (int spins = 1; done_.load(std::memory_order_acquire) < size() - 1; ++spins) {
            relax();
            if (spins % 64 == 0 && Clock::now() > late) {
                for (int member = 1; member < size(); ++member)
                    take(member);
            }
        }
    }

private:
    void take(int member)
    {
        const std::uint64_t bit = std::uint64_t(1) << member;
        if (state_.fetch_or(bit, std::memory_order_acq_rel) & bit)
            return;
        call_(work_, member);
        done_.fetch_add(1, std::memory_order_release);
    }

    void serve(int member)
    {
        std::uint64_t seen = 0;
        for (;;) {
            const Clock::time_point sleep = Clock::now() + sleepAfter;
            for (int spins = 1; roundOf(state_.load(std::memory_order_relaxed)) == seen; ++spins) {
                relax();
                if (spins % 256 == 0 && Clock::now() > sleep) {
                    std::unique_lock<std::mutex> lock(mutex_);
                    sleeping_.fetch_add(1);
                    wake_.wait(lock, [&] { return stop_ || roundOf(state_.load()) != seen; });
                    sleeping_.fetch_sub(1);
                    if (stop_)
                        return;
                    break;
                }
            }
            seen = roundOf(state_.load(std::memory_order_acquire));
            take(member);
        }
    }

    std::vector<std::thread> threads_;
    alignas(64) std::atomic<std::uint64_t> state_ {0};
    alignas(64) std::atomic<int> done_ {0};
    // The round's work: written by the holder before it publishes the round, read by whoever
    // has taken a call in it.
    alignas(64) void (*call_)(void *, int) = nullptr;
    void *work_ = nullptr;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::atomic<int> sleeping_ {0};
    bool stop_ = false; // under mutex_
};

// Teams in being, sharing or not. The workers serve a team only while it is the only one: with
// several tasks at once, each on its own thread, the cores are taken already.
std::atomic<int> teams {0};

Pool &pool()
{
    static Pool pool(std::clamp(int(std::thread::hardware_concurrency()) - 1, 1, 31));
    return pool;
}

} // namespace

namespace {

thread_local bool inBackground = false;
std::atomic<int> foregroundWork {0};
std::mutex foregroundMutex;
std::condition_variable foregroundEnded;

} // namespace

BackgroundWork::BackgroundWork() { inBackground = true; }

BackgroundWork::~BackgroundWork() { inBackground = false; }

ForegroundWork::ForegroundWork() { foregroundWork.fetch_add(1); }

ForegroundWork::~ForegroundWork()
{
    if (foregroundWork.fetch_sub(1) == 1) {
        std::lock_guard<std::mutex> lock(foregroundMutex);
        foregroundEnded.notify_all();
    }
}

void giveWayToForeground()
{
    if (!inBackground || foregroundWork.load(std::memory_order_relaxed) == 0)
        return;
    std::unique_lock<std::mutex> lock(foregroundMutex);
    foregroundEnded.wait(lock, [] { return foregroundWork.load() == 0; });
}

WorkerTeam::WorkerTeam(bool share)
    : background_(inBackground)
{
    if (background_)
        return;
    foregroundWork.fetch_add(1);
    if (teams.fetch_add(1) == 0 && share)
        size_ = pool().size();
}

WorkerTeam::~WorkerTeam()
{
    if (background_)
        return;
    teams.fetch_sub(1);
    if (foregroundWork.fetch_sub(1) == 1) {
        std::lock_guard<std::mutex> lock(foregroundMutex);
        foregroundEnded.notify_all();
    }
}

void WorkerTeam::runShared(void (*call)(void *, int), void *work)
{
    if (teams.load(std::memory_order_relaxed) == 1)
        return pool().run(call, work);
    for (int member = 0; member < size_; ++member)
        call(work, member);
}
