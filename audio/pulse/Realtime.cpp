#include "Realtime.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>

namespace audio {
namespace {

constexpr int priority = 5;
constexpr rlim_t rtTimeSoftUs = 200'000;
constexpr rlim_t rtTimeHardUs = 400'000;

} // namespace

bool askForRealtime() {
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) == 0 && limit.rlim_max == RLIM_INFINITY) {
        limit = {rtTimeSoftUs, rtTimeHardUs};
        setrlimit(RLIMIT_RTTIME, &limit);
    }
    sched_param parameters{};
    parameters.sched_priority = priority;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO | SCHED_RESET_ON_FORK, &parameters) ==
           0;
}

} // namespace audio
