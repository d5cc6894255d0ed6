#include "Realtime.h"

#include <cstdint>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <systemd/sd-bus.h>
#include <thread>
#include <unistd.h>

namespace audio {
namespace {

constexpr int priority = 5;
// RealtimeKit grants nothing to a process whose hard limit is over its own (200 ms by default).
constexpr rlim_t rtTimeUs = 200'000;
constexpr std::uint64_t busTimeoutUs = 1'000'000;

void fromRealtimeKit(pid_t thread) {
    sd_bus* bus = nullptr;
    if (sd_bus_open_system(&bus) < 0) {
        return;
    }
    sd_bus_set_method_call_timeout(bus, busTimeoutUs);
    sd_bus_error error{}; // as SD_BUS_ERROR_NULL, whose compound literal C++ lacks
    sd_bus_call_method(bus, "org.freedesktop.RealtimeKit1", "/org/freedesktop/RealtimeKit1",
                       "org.freedesktop.RealtimeKit1", "MakeThreadRealtime", &error, nullptr, "tu",
                       std::uint64_t(thread), std::uint32_t(priority));
    sd_bus_error_free(&error);
    sd_bus_flush_close_unref(bus);
}

} // namespace

void askForRealtime() {
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) == 0 && limit.rlim_max > rtTimeUs) {
        limit = {rtTimeUs, rtTimeUs};
        setrlimit(RLIMIT_RTTIME, &limit);
    }
    sched_param parameters{};
    parameters.sched_priority = priority;
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO | SCHED_RESET_ON_FORK, &parameters) == 0) {
        return;
    }
    std::thread([thread = gettid()] { fromRealtimeKit(thread); }).detach();
}

} // namespace audio
