// Highway's run-time library (libhwy), loaded at the first dispatch of a kernel rather than
// when the program starts. Loading it calibrates a timer for Highway's own benchmarking tool,
// which costs liftwise-cli about a quarter of a QtCore program's start, and most of what a
// script asks (--version, --help, a refused file) never inverts a matrix. The kernels need
// only the choice of target from it: these three functions, which forward to its own.

#include <hwy/targets.h>

#include <cstdio>
#include <cstdlib>

#include <dlfcn.h>

namespace hwy {
namespace {

template <typename Function> Function *resolve(const char *symbol)
{
    static void *const library = [] {
        void *handle = dlopen("libhwy.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            std::fprintf(stderr, "cannot load Google Highway's library: %s\n", dlerror());
            std::abort();
        }
        return handle;
    }();
    void *function = dlsym(library, symbol);
    if (!function) {
        std::fprintf(stderr, "Google Highway's library lacks %s\n", symbol);
        std::abort();
    }
    return reinterpret_cast<Function *>(function);
}

} // namespace

ChosenTarget &GetChosenTarget()
{
    static const auto function = resolve<ChosenTarget &()>("_ZN3hwy15GetChosenTargetEv");
    return function();
}

int64_t SupportedTargets()
{
    static const auto function = resolve<int64_t()>("_ZN3hwy16SupportedTargetsEv");
    return function();
}

void SetSupportedTargetsForTest(int64_t targets)
{
    static const auto function = resolve<void(int64_t)>("_ZN3hwy26SetSupportedTargetsForTestEl");
    function(targets);
}

} // namespace hwy
