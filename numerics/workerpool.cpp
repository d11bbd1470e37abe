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
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
}

// Spins on ready() for at most `limit`; true once it holds. Waiting threads spin only this
// briefly and then sleep, so that they never keep a core from a thread with work, ours or
// another process's: a worker descheduled while it holds a block gets the core back at once.
template <class Ready> bool spinFor(std::chrono::microseconds limit, const Ready &ready)
{
    const Clock::time_point end = Clock::now() + limit;
    for (int spins = 1;; ++spins) {
        if (ready())
            return true;
        relax();
        if (spins % 64 == 0 && Clock::now() > end)
            return false;
    }
}

// How long the caller spins for the blocks others still run before it sleeps: a block or two.
constexpr std::chrono::microseconds callerSpin(30);
// How long an idle worker spins for the next round before it sleeps.
constexpr std::chrono::microseconds workerSpin(50);

// A round of blocks is one word: its number (32 bits), its count of blocks and the next block to
// be taken (16 bits each). Taking a block is a compare-and-swap of the whole word, so a worker
// that arrives late, or after the round is over, takes nothing, and nobody ever sees one round's
// count with another's number.
using Word = std::uint64_t;
constexpr int maxBlocksARound = 0xffff;
std::uint32_t roundOf(Word word) { return std::uint32_t(word >> 32); }
std::uint32_t countOf(Word word) { return std::uint32_t(word >> 16) & 0xffff; }
std::uint32_t nextOf(Word word) { return std::uint32_t(word) & 0xffff; }

// Going to sleep and waking up rest on a write of one atomic followed by a read of another, on
// both sides: either the sleeper sees the news or the one bringing it sees the sleeper. Where the
// caller's write is a plain store, a sequentially consistent fence follows it. The operations alone
// would do in C++, but emulated ARM (qemu-user) may let the read pass a plain store, and the
// wake-up is lost; a read-modify-write, as on the workers' side, is ordered there too.
class Pool
{
public:
    explicit Pool(int workers)
    {
        for (int i = 0; i < workers; ++i)
            threads_.emplace_back([this] { serve(); });
    }

    ~Pool()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        roundStarted_.notify_all();
        for (std::thread &thread : threads_)
            thread.join();
    }

    int size() const { return int(threads_.size()) + 1; }

    // By one caller at a time (the team that holds the workers): calls work(first + block) for
    // every block in [0, count), count <= maxBlocksARound. Returns whether sharing cost time:
    // whether the round took longer than the caller alone would have at its own pace, as when a
    // worker that took a block lost its core to another thread.
    bool share(int first, int count, void (*call)(const void *, int), const void *work)
    {
        const Clock::time_point start = Clock::now();
        call_ = call;
        work_ = work;
        first_ = first;
        finished_.store(0, std::memory_order_relaxed);
        const std::uint32_t round = roundOf(next_.load(std::memory_order_relaxed)) + 1;
        next_.store(Word(round) << 32 | Word(count) << 16);
        std::atomic_thread_fence(std::memory_order_seq_cst);
        if (workersAsleep_.load() > 0) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
            }
            roundStarted_.notify_all();
        }
        const int own = takeBlocks(round);
        const Clock::duration alone = (Clock::now() - start) * count / std::max(own, 1);
        // Only blocks that others have taken and still run are left.
        const auto finished = [&] { return finished_.load() == std::uint32_t(count); };
        if (!spinFor(callerSpin, finished)) {
            std::unique_lock<std::mutex> lock(mutex_);
            callerAsleep_.store(true);
            std::atomic_thread_fence(std::memory_order_seq_cst);
            roundFinished_.wait(lock, finished);
            callerAsleep_.store(false);
        }
        return own > 0 && Clock::now() - start > alone;
    }

private:
    // Takes and runs blocks of the round until none is left; returns how many. The round's
    // work stays put until its last block has returned, so it is read only by those holding one.
    int takeBlocks(std::uint32_t round)
    {
        int taken = 0;
        Word word = next_.load(std::memory_order_acquire);
        while (roundOf(word) == round && nextOf(word) < countOf(word)) {
            if (!next_.compare_exchange_weak(word, word + 1, std::memory_order_acq_rel))
                continue;
            call_(work_, first_ + int(nextOf(word)));
            ++taken;
            if (finished_.fetch_add(1) + 1 == countOf(word) && callerAsleep_.load()) {
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                }
                roundFinished_.notify_one();
            }
            word = next_.load(std::memory_order_acquire);
        }
        return taken;
    }

    void serve()
    {
        std::uint32_t seen = 0;
        const auto started = [&] { return roundOf(next_.load()) != seen; };
        for (;;) {
            if (!spinFor(workerSpin, started)) {
                std::unique_lock<std::mutex> lock(mutex_);
                workersAsleep_.fetch_add(1);
                roundStarted_.wait(lock, [&] { return stop_ || started(); });
                workersAsleep_.fetch_sub(1);
                if (stop_)
                    return;
            }
            seen = roundOf(next_.load(std::memory_order_acquire));
            takeBlocks(seen);
        }
    }

    std::vector<std::thread> threads_;
    alignas(64) std::atomic<Word> next_ {0};
    alignas(64) std::atomic<std::uint32_t> finished_ {0}; // blocks whose call has returned
    // The round's work: written by the caller before it publishes the round, read by whoever has
    // taken a block of it, which the caller waits for.
    alignas(64) void (*call_)(const void *, int) = nullptr;
    const void *work_ = nullptr;
    int first_ = 0;
    std::mutex mutex_;
    std::condition_variable roundStarted_, roundFinished_;
    std::atomic<int> workersAsleep_ {0};
    std::atomic<bool> callerAsleep_ {false};
    bool stop_ = false; // under mutex_
};

Pool &pool()
{
    static Pool pool(std::clamp(int(std::thread::hardware_concurrency()) - 1, 1, 31));
    return pool;
}

// Foreground teams in being, sharing or not. The workers serve a team only while it is the only
// one: with several tasks at once, each on its own thread, the cores are taken already.
std::atomic<int> foregroundTeams {0};

// Foreground work in progress (ForegroundWork objects and foreground teams), and the background
// threads asleep until there is none.
std::atomic<int> foregroundWork {0};
std::mutex giveWayMutex;
std::condition_variable foregroundDone;

thread_local int backgroundDepth = 0;

void beginForeground() { foregroundWork.fetch_add(1); }

void endForeground()
{
    if (foregroundWork.fetch_sub(1) == 1) {
        {
            std::lock_guard<std::mutex> lock(giveWayMutex);
        }
        foregroundDone.notify_all();
    }
}

} // namespace

BackgroundWork::BackgroundWork() { ++backgroundDepth; }

BackgroundWork::~BackgroundWork() { --backgroundDepth; }

ForegroundWork::ForegroundWork() { beginForeground(); }

ForegroundWork::~ForegroundWork() { endForeground(); }

void giveWayToForeground()
{
    if (backgroundDepth == 0 || foregroundWork.load(std::memory_order_relaxed) == 0)
        return;
    std::unique_lock<std::mutex> lock(giveWayMutex);
    foregroundDone.wait(lock, [] { return foregroundWork.load() == 0; });
}

WorkerTeam::WorkerTeam(bool share)
{
    if (backgroundDepth > 0)
        return;
    foreground_ = true;
    beginForeground();
    if (foregroundTeams.fetch_add(1) == 0 && share)
        size_ = pool().size();
}

WorkerTeam::~WorkerTeam()
{
    if (!foreground_)
        return;
    foregroundTeams.fetch_sub(1);
    endForeground();
}

void WorkerTeam::shareBlocks(int blocks, void (*call)(const void *, int), const void *work)
{
    if (roundsAlone_ == 0 && foregroundTeams.load(std::memory_order_relaxed) == 1) {
        for (int first = 0; first < blocks; first += maxBlocksARound) {
            if (pool().share(first, std::min(blocks - first, maxBlocksARound), call, work)) {
                roundsAlone_ = backOff_;
                backOff_ = std::min(2 * backOff_, maxBackOff);
            } else {
                backOff_ = 1;
            }
        }
        return;
    }
    roundsAlone_ = std::max(0, roundsAlone_ - 1);
    for (int block = 0; block < blocks; ++block)
        call(work, block);
}
