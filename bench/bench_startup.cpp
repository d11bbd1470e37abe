// The start of liftwise-cli, the cost a script pays at every call: --version and a default
// analyze of one file, against programs that only start: liftwise_hello, on QtCore alone,
// liftwise_hello_hwy, which links Google Highway's library besides (whose loading calibrates a
// timer: liftwise-cli loads it only when it first inverts), and liftwise_hello_gui, which links QtGui. Each
// run is a process spawned and waited for, its output dropped; the benchmarks take turns in random
// order, so that a busy machine slows all of them alike. After the medians, each one's ratio to
// liftwise_hello's.

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

// Runs the program with the arguments to its end; false when it could not run or failed.
bool spawn(const std::vector<std::string> &command)
{
    std::vector<char *> argv;
    for (const std::string &word : command)
        argv.push_back(const_cast<char *>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return failed == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)
        && WEXITSTATUS(status) == 0;
}

void BM_Start(benchmark::State &state, const std::vector<std::string> &command)
{
    for (auto _ : state) {
        if (!spawn(command)) {
            state.SkipWithError("the program failed");
            break;
        }
    }
}

BENCHMARK_CAPTURE(BM_Start, hello, std::vector<std::string> {LIFTWISE_HELLO})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Start, hello_hwy, std::vector<std::string> {LIFTWISE_HELLO_HWY})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Start, hello_gui, std::vector<std::string> {LIFTWISE_HELLO_GUI})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Start, version, std::vector<std::string> {LIFTWISE_CLI, "--version"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    BM_Start, analyze, std::vector<std::string> {LIFTWISE_CLI, "analyze", LIFTWISE_EXAMPLE})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The console's report, and each median's ratio to the hello program's at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    RatioReporter()
        : ConsoleReporter(OO_Tabular)
    {
    }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto hello = medians.find("BM_Start/hello");
        if (hello == medians.end())
            return;
        for (const auto &[name, median] : medians)
            GetOutputStream() << name << ": " << median << " ms median, " << median / hello->second
                              << " times hello's\n";
    }

private:
    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char **argv)
{
    // Unless told otherwise: 40 turns of about 0.2 s of runs each, the benchmarks in random order
    // in each turn.
    std::vector<char *> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char repetitions[] = "--benchmark_repetitions=40";
    char iterations[] = "--benchmark_min_time=0.2";
    args.insert(args.begin() + 1, {interleave, repetitions, iterations});
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
