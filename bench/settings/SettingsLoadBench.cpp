// Reading every setting from a Game.ini of 50 MB: the game's own sections around a large one of
// other lines, as a file grown by hand or by another tool would be.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "engine/shell/GameSettings.h"
#include "engine/shell/SettingsFile.h"
#include "tests/support/ScratchFolder.h"

namespace {

std::string LargeGameIni()
{
    std::string text = "[Video]\nMode=1\nDistance=2\nWindowed=1\n[Audio]\nMaster=80\n[Notes]\n";
    for (int line = 0; text.size() < 50'000'000; ++line)
        text += "note" + std::to_string(line) + "=some text that a tool left behind\n";
    return text + "[Misc]\nDebug out=0\n[Controls]\nAct01=87\n";
}

void BM_LoadLargeGameIni(benchmark::State& state)
{
    ScratchFolder scratch;
    const std::string content = LargeGameIni();
    scratch.Write("Game.ini", content);
    // Written by an earlier run, as at any start.
    std::filesystem::last_write_time("Game.ini", std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    for (auto _ : state) {
        LoadGameIni("Game.ini");
        benchmark::DoNotOptimize(GameSettings[SLOT_MASTER]);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(content.size()));
}
BENCHMARK(BM_LoadLargeGameIni)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
