#include "engine/shell/StartupTimes.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "engine/shell/DebugLog.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

// Milliseconds between the process start and now, from /proc/self/stat (field 22: start time in
// clock ticks since boot) and the boot-time clock; 0 when unknown.
double ProcessAgeNow()
{
    std::FILE* stat = std::fopen("/proc/self/stat", "r");
    if (!stat)
        return 0.0;
    char text[1024] = {};
    const std::size_t length = std::fread(text, 1, sizeof text - 1, stat);
    std::fclose(stat);
    text[length] = '\0';
    // The command name (field 2) may hold spaces; the fields after it start past its ')'.
    const char* fields = std::strrchr(text, ')');
    unsigned long long startTicks = 0;
    if (!fields || std::sscanf(fields + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d "
                                           "%*d %*d %llu", &startTicks) != 1)
        return 0.0;
    timespec boot {};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double bootMs = double(boot.tv_sec) * 1000.0 + double(boot.tv_nsec) * 1e-6;
    const double startMs = double(startTicks) * 1000.0 / double(sysconf(_SC_CLK_TCK));
    return bootMs > startMs ? bootMs - startMs : 0.0;
}

struct ClockOrigin {
    SteadyClock::time_point reference = SteadyClock::now();
    double ageAtReference = ProcessAgeNow();
};

const ClockOrigin& Origin()
{
    static const ClockOrigin origin;
    return origin;
}

// Taken during static construction, so that later readings need not read /proc again.
[[maybe_unused]] const ClockOrigin& originAtStart = Origin();

} // namespace

double MillisecondsSinceProcessStart()
{
    const ClockOrigin& origin = Origin();
    return origin.ageAtReference +
           std::chrono::duration<double, std::milli>(SteadyClock::now() - origin.reference).count();
}

void LogStartupStep(const char* step)
{
    char line[160];
    std::snprintf(line, sizeof line, "Start-up %8.1f ms  %s", MillisecondsSinceProcessStart(), step);
    DebugOutStr(line, nullptr);
}
