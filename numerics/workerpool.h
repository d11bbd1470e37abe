#ifndef LIFTWISE_WORKERPOOL_H
#define LIFTWISE_WORKERPOOL_H

// One pool of worker threads for the whole process (one fewer than the cores, at least one and at
// most 31), and the marks that keep background work out of the way of what the user waits for.

// Marks the calling thread as background work for the object's lifetime (nestable). Teams formed
// on a background thread never take the pool's workers and do not count against foreground
// teams.
class BackgroundWork
{
public:
    BackgroundWork();
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork &) = delete;
    BackgroundWork &operator=(const BackgroundWork &) = delete;
};

// Foreground work in progress for the object's lifetime, on any thread, nestable. Every
// WorkerTeam formed on a thread that is not background also counts as foreground work while it
// exists.
class ForegroundWork
{
public:
    ForegroundWork();
    ~ForegroundWork();
    ForegroundWork(const ForegroundWork &) = delete;
    ForegroundWork &operator=(const ForegroundWork &) = delete;
};

// On a background thread, sleeps (no spinning) until no foreground work is in progress. Returns
// at once on any other thread or while there is none; cheap enough to call between any two steps
// of a long computation. Never call it, nor wait for a thread that might, while holding foreground
// work oneself.
void giveWayToForeground();

// The calling thread and, when it gets them, the pool's workers. A team asked to share gets the
// workers when it is formed on a foreground thread while no other foreground team exists, and
// they serve it while it is still the only one; otherwise the caller makes all the calls itself.
class WorkerTeam
{
public:
    explicit WorkerTeam(bool share);
    ~WorkerTeam();
    WorkerTeam(const WorkerTeam &) = delete;
    WorkerTeam &operator=(const WorkerTeam &) = delete;

    // The threads that may serve the team, the calling one included.
    int size() const { return size_; }

    // Calls work(block) once for every block in [0, blocks) and returns when all calls have
    // returned. Each block goes to whichever thread of the team asks for one next, the calling
    // thread included: nobody waits for a worker that has not started, and a late worker finds
    // the blocks taken. A round that sharing made slower than the calling thread alone would
    // have been (a worker lost its core while it held a block) is followed by rounds that the
    // calling thread runs alone: one, then twice as many after each such round, up to 64.
    template <class Work> void forEachBlock(int blocks, const Work &work)
    {
        if (size_ == 1 || blocks <= 1) {
            for (int block = 0; block < blocks; ++block)
                work(block);
            return;
        }
        shareBlocks(
            blocks, [](const void *w, int block) { (*static_cast<const Work *>(w))(block); },
            &work);
    }

    // Calls work(member) once for every member in [0, size()), as forEachBlock does.
    template <class Work> void run(const Work &work) { forEachBlock(size_, work); }

private:
    void shareBlocks(int blocks, void (*call)(const void *, int), const void *work);

    static constexpr int maxBackOff = 64;
    int size_ = 1;
    bool foreground_ = false;
    int roundsAlone_ = 0; // the rounds still to be run alone
    int backOff_ = 1; // the rounds to run alone after the next round that sharing slows
};

#endif // LIFTWISE_WORKERPOOL_H
