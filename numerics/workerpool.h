#ifndef LIFTWISE_WORKERPOOL_H
#define LIFTWISE_WORKERPOOL_H

#include <type_traits>

// The calling thread and, when it gets them, the process's pooled workers (one fewer than the
// cores, at least one and at most 31), for work that comes in many short rounds. A team asked to
// share gets the workers when it is formed while no other team exists, and they serve it while
// it is still the only one; otherwise the caller makes all the calls itself. Idle workers spin a
// while before they sleep, so that the next round finds them awake.
class WorkerTeam
{
public:
    explicit WorkerTeam(bool share);
    ~WorkerTeam();
    WorkerTeam(const WorkerTeam &) = delete;
    WorkerTeam &operator=(const WorkerTeam &) = delete;

    int size() const { return size_; }

    // Calls work(member) once for every member in [0, size()), and returns when all calls have
    // returned. Member 0 is the calling thread, which also makes the call of a member that has
    // not started it after a while (asleep, descheduled).
    template <class Work> void run(Work &&work)
    {
        using W = std::remove_reference_t<Work>;
        if (size_ == 1)
            return work(0);
        runShared([](void *w, int member) { (*static_cast<W *>(w))(member); },
            const_cast<std::remove_const_t<W> *>(&work));
    }

private:
    void runShared(void (*call)(void *, int), void *work);

    int size_ = 1;
    bool background_ = false;
};

// Marks the calling thread as background work for its lifetime: its teams never take the pool's
// workers, nor keep a foreground team from them, and its long computations pause at their next
// giveWayToForeground() while any foreground work runs.
class BackgroundWork
{
public:
    BackgroundWork();
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork &) = delete;
    BackgroundWork &operator=(const BackgroundWork &) = delete;
};

// Foreground work in progress, on any thread: a step the user waits for. Nestable.
class ForegroundWork
{
public:
    ForegroundWork();
    ~ForegroundWork();
    ForegroundWork(const ForegroundWork &) = delete;
    ForegroundWork &operator=(const ForegroundWork &) = delete;
};

// On a background thread, sleeps while any foreground work runs; elsewhere returns at once.
void giveWayToForeground();

#endif // LIFTWISE_WORKERPOOL_H
