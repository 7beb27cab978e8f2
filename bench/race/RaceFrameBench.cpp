// A frame of a player's race: the world over the runnable tree's packs on the shared device, a
// race of the full grid on a fixed seed, every visual option at its maximum, the chase camera
// behind the player's scooter (steered by the computer driver) and the motion blur at the
// player's render size (at full strength, as at top speed: the player's own driving sets it, and
// the computer driver does not). One iteration is one world frame with its message pump.
//
// Reported per size: frames per second (median and 5th percentile), draw calls, GL state calls,
// render-target switches and pixels cleared and copied per frame, the CPU milliseconds per frame
// of the game's thread and of the renderer's own threads (a software rasterizer's, with audio
// off), and the milliseconds of each frame step and of each pass of the 3D scene with the
// renderer threads' CPU milliseconds in it and the triangles of the heaviest passes (measured
// afterwards on frames that finish the GL work at the end of each step).
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/render/VertexTemplates.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/MainWindow.h"
#include "engine/shell/MessagePump.h"
#include "frontend/GameMenu.h"
#include "platform/gfx/GfxControl.h"
#include "platform/win/WinTime.h"
#include "tests/support/ContactSheet.h"
#include "tests/support/SharedDevice.h"
#include "tests/support/SharedRenderer.h"
#include "world/FrameSteps.h"
#include "world/World.h"
#include "world/camera/Camera.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int LOCATION = 1;
constexpr int RACE_SEED = 3;
constexpr int TRACK_TYPE = 2;
constexpr int TRACK_LENGTH = 2;
constexpr int FULL_GRID = 12;
constexpr int PLAYER_SCOOTER = 6;
constexpr int RACING_PHASE = 6;     // the start phase that releases the grid
constexpr std::uint32_t WARM_UP_GAME_MS = 2000; // on a fast clock: the grid gets going
constexpr float WARM_UP_CLOCK_SPEED = 2.0f;
constexpr int SETTLE_FRAMES = 10;
constexpr int MIN_SPLIT_FRAMES = 5;

void MaximumVisualOptions()
{
    for (SettingSlot slot : {SLOT_DISTANCE, SLOT_SHADOWS, SLOT_BUMP, SLOT_BLUR, SLOT_OSURFACE, SLOT_ATMOSPHERE})
        GameSettings[slot] = OptionMaximumOf(slot);
}

bool BringUpWorld(UINT width, UINT height)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    // RACE_FRAME_TREE names another runnable tree, to compare data sets with one binary.
    const char* tree = std::getenv("RACE_FRAME_TREE");
    if (chdir(tree ? tree : VESTRUNE_TREE) != 0)
        return false;
    FileManager = 1;
    GameSettings[SLOT_AUDIO] = 0;
    GameSettings[SLOT_DEBUG_LOG] = 0;
    GameSettings[SLOT_DEBUG_MODE] = 0;
    fileSystem.Init();
    FillVertexTemplates();
    if (!AdoptSharedDevice(width, height))
        return false;
    mainWindow = SharedDeviceOf(width, height).window;
    windowActive = 1;
    MaximumVisualOptions();
    if (world.Init() != 1)
        return false;
    gameMenu.active = 0;
    RaceMode = RACE_MODE_QUICK;
    world.LoadLocation(LOCATION);
    world.StartRace(RACE_SEED, TRACK_TYPE, TRACK_LENGTH, FULL_GRID, PLAYER_SCOOTER);
    GameSettings[SLOT_RACE_RUNNING] = 1;
    return playerVehicle != nullptr;
}

// When set, every frame steps the game clock by this many milliseconds whatever the frame took,
// so that the race runs the same way each time (for the saved frames).
std::uint32_t fixedStepMs = 0;

void RunFrame()
{
    if (fixedStepMs)
        gameTimer.lastReading = timeGetTime() - fixedStepMs;
    // A respawn after a fall hands the scooter back to the player.
    if (playerVehicle->GetDriver() == DRIVER_PLAYER)
        playerVehicle->SetDriver(DRIVER_COMPUTER);
    d3dRender.blurStrength = 1.0f;
    DispatchWaitingMessages();
    world.Frame();
}

// The race from the grid with the start sequence skipped; the player's scooter is driven by the
// computer, so that it races as a player would, and the grid gets going on a fast clock.
void StartRacingFromGrid()
{
    world.RestartRace();
    race.SetPhase(RACE_SEQUENCE_START, nullptr);
    race.phase = RACING_PHASE;
    race.phaseTimer = 0.0f;
    gameTimer.timeSpeed = WARM_UP_CLOCK_SPEED;
    const std::uint32_t start = gameTimer.gameTime;
    while (gameTimer.gameTime - start < WARM_UP_GAME_MS)
        RunFrame();
    gameTimer.timeSpeed = 1.0f;
    for (int frame = 0; frame < SETTLE_FRAMES; ++frame)
        RunFrame();
}

bool PrepareRace(benchmark::State& state)
{
    const auto width = static_cast<UINT>(state.range(0)), height = static_cast<UINT>(state.range(1));
    static const bool worldUp = BringUpWorld(width, height); // one size per process, see main
    if (!worldUp) {
        state.SkipWithError("the world did not come up (no GL device or no data)");
        return false;
    }
    StartRacingFromGrid();
    if (!d3dRender.MotionBlurRuns())
        state.SkipWithError("the motion blur did not start");
    return d3dRender.MotionBlurRuns();
}

double CpuSeconds(clockid_t clock)
{
    timespec t {};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// CPU time of the process's threads other than the game's own: the renderer's.
double RendererThreadSeconds()
{
    return CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
}

// Frame-step times: the GL work of each step is finished before its end is taken.
std::array<double, FRAME_STEPS> stepSeconds {};
std::array<double, FRAME_STEPS> stepRendererSeconds {};
std::array<double, FRAME_STEPS> stepFaces {};
Clock::time_point stepStart;
double rendererSecondsAtStepStart = 0.0;
int facesAtStepStart = 0;

void TimeFrameStep(FrameStep step)
{
    glFinish();
    const double rendererSeconds = RendererThreadSeconds();
    stepRendererSeconds[step] += rendererSeconds - rendererSecondsAtStepStart;
    rendererSecondsAtStepStart = rendererSeconds;
    const Clock::time_point now = Clock::now();
    stepSeconds[step] += std::chrono::duration<double>(now - stepStart).count();
    stepStart = now;
    // The renderer's face count starts from 0 at each present.
    stepFaces[step] += d3dRender.facesDrawn - facesAtStepStart;
    facesAtStepStart = d3dRender.facesDrawn;
}

void ReportFrameSplit(benchmark::State& state, int frames)
{
    stepSeconds = {};
    stepRendererSeconds = {};
    stepFaces = {};
    frameStepDone = TimeFrameStep;
    for (int frame = 0; frame < frames; ++frame) {
        stepStart = Clock::now();
        rendererSecondsAtStepStart = RendererThreadSeconds();
        facesAtStepStart = d3dRender.facesDrawn;
        RunFrame();
    }
    frameStepDone = nullptr;
    static constexpr const char* NAMES[FRAME_STEPS] = {
        "ms_w_course",  "ms_w_course_transp", "ms_w_scooters", "ms_w_shadows",  "ms_w_course_fx", "ms_w_scooter_fx",
        "ms_w_flames",  "ms_w_glows",         "ms_w_blur",     "ms_menu_hud",   "ms_simulation",  "ms_audio",
        "ms_present"};
    double world = 0.0;
    for (int step = 0; step < FRAME_STEPS; ++step) {
        state.counters[NAMES[step]] = stepSeconds[step] * 1000.0 / frames;
        state.counters[std::string("rast_") + NAMES[step]] = stepRendererSeconds[step] * 1000.0 / frames;
        if (step <= FRAME_STEP_WORLD_DRAWING)
            world += state.counters[NAMES[step]];
    }
    state.counters["ms_world"] = world;
    // Triangles drawn by the passes that carry the most geometry.
    for (const auto& [step, name] : {std::pair {FRAME_STEP_COURSE, "tris_course"}, {FRAME_STEP_SCOOTERS, "tris_scooters"},
                                     {FRAME_STEP_SHADOWS, "tris_shadows"}, {FRAME_STEP_SCOOTER_EFFECTS, "tris_scooter_fx"}})
        state.counters[name] = stepFaces[step] / frames;
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * double(values.size() - 1) + 0.5);
    return values[index];
}

void BM_RaceFrame(benchmark::State& state)
{
    if (!PrepareRace(state))
        return;
    IDirect3DDevice9* device = d3dRender.device;
    const DeviceCounters before = CountersOf(device);
    const std::uint64_t stateCallsBefore = GlStateCallCount(device);
    const double gameThreadBefore = CpuSeconds(CLOCK_THREAD_CPUTIME_ID), rendererBefore = RendererThreadSeconds();
    std::vector<double> framesPerSecond;
    for (auto _ : state) {
        const Clock::time_point begin = Clock::now();
        RunFrame();
        framesPerSecond.push_back(1.0 / std::chrono::duration<double>(Clock::now() - begin).count());
    }
    const DeviceCounters after = CountersOf(device);
    const auto frames = static_cast<double>(state.iterations());
    state.counters["cpu_ms_game_thread"] = (CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - gameThreadBefore) * 1000.0 / frames;
    state.counters["cpu_ms_renderer_threads"] = (RendererThreadSeconds() - rendererBefore) * 1000.0 / frames;
    state.counters["fps_median"] = Percentile(framesPerSecond, 0.5);
    state.counters["fps_p5"] = Percentile(framesPerSecond, 0.05);
    state.counters["draws"] = double(after.draws - before.draws) / frames;
    state.counters["gl_state_calls"] = double(GlStateCallCount(device) - stateCallsBefore) / frames;
    state.counters["target_switches"] = double(after.targetSwitches - before.targetSwitches) / frames;
    state.counters["Mpx_cleared"] = double(after.pixelsCleared - before.pixelsCleared) / frames * 1e-6;
    state.counters["Mpx_copied"] = double(after.pixelsCopied - before.pixelsCopied) / frames * 1e-6;
    ReportFrameSplit(state, std::max(MIN_SPLIT_FRAMES, static_cast<int>(state.iterations() / 4)));
}
// The saved race frames: the 3D scene, read back before the head-up display is drawn, drawn
// again with the race standing still until the motion blur shows only this moment.
constexpr std::uint32_t SAVED_FRAMES_STEP_MS = 16;
constexpr int SAVED_FRAMES_SIZE[2] = {800, 600};
constexpr int STILL_SCENES = 24;

void SaveScene(const ContactSheet& sheet, const std::string& name)
{
    for (int scene = 0; scene < STILL_SCENES; ++scene) {
        d3dRender.device->BeginScene();
        world.Render();
        d3dRender.device->EndScene();
    }
    sheet.Add(name, ReadRenderTarget(d3dRender.device, 0, 0, SAVED_FRAMES_SIZE[0], SAVED_FRAMES_SIZE[1]),
              SAVED_FRAMES_SIZE[0], SAVED_FRAMES_SIZE[1]);
}

// The start grid, the chase view after the warm-up and a close-up of the player's scooter from
// its right-hand side, as PNGs in the folder and on its contact sheet "race_frames".
int SaveRaceFrames(const std::string& folder)
{
    fixedStepMs = SAVED_FRAMES_STEP_MS;
    if (!BringUpWorld(SAVED_FRAMES_SIZE[0], SAVED_FRAMES_SIZE[1])) {
        std::fprintf(stderr, "the world did not come up (no GL device or no data)\n");
        return 1;
    }
    const ContactSheet sheet(folder);
    world.RestartRace();
    race.SetPhase(RACE_SEQUENCE_START, nullptr);
    race.phase = RACING_PHASE;
    race.phaseTimer = 0.0f;
    for (int frame = 0; frame < SETTLE_FRAMES; ++frame)
        RunFrame();
    SaveScene(sheet, "1_start_grid");
    gameTimer.timeSpeed = WARM_UP_CLOCK_SPEED;
    for (std::uint32_t ms = 0; ms < WARM_UP_GAME_MS; ms += std::uint32_t(SAVED_FRAMES_STEP_MS * WARM_UP_CLOCK_SPEED))
        RunFrame();
    gameTimer.timeSpeed = 1.0f;
    for (int frame = 0; frame < SETTLE_FRAMES; ++frame)
        RunFrame();
    SaveScene(sheet, "2_chase_view");
    const D3DXMATRIX& placement = playerVehicle->world;
    const D3DXVECTOR3 right(placement._11, placement._12, placement._13), up(placement._21, placement._22, placement._23),
        forward(placement._31, placement._32, placement._33), centre(placement._41, placement._42, placement._43);
    world.activeCamera->SetMode(CAMERA_WATCHING, nullptr);
    world.activeCamera->SetPosition(centre + right * 3.5f + up * 1.6f + forward * 1.5f, centre + up * 0.5f, up);
    world.activeCamera->UpdateView();
    SaveScene(sheet, "3_close_up");
    return sheet.Write("race_frames", 3) ? 0 : 1;
}
} // namespace

// Each screen size in a process of its own, since the world comes up once per process (its
// meshes live in the device's default pool, so the back buffer cannot be reset to another size).
// --race_frames=FOLDER saves the race frames there instead of measuring.
int main(int argc, char** argv)
{
    static constexpr const char* FRAMES_OPTION = "--race_frames=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], FRAMES_OPTION, std::strlen(FRAMES_OPTION)) == 0)
            return SaveRaceFrames(argv[i] + std::strlen(FRAMES_OPTION));

    static constexpr int SIZES[][2] = {{800, 600}, {1280, 1024}};
    int result = 0;
    for (const auto& size : SIZES) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child < 0)
            return 1;
        if (child == 0) {
            benchmark::RegisterBenchmark("BM_RaceFrame", BM_RaceFrame)
                ->Args({size[0], size[1]})
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            benchmark::Initialize(&argc, argv);
            benchmark::RunSpecifiedBenchmarks();
            std::fflush(stdout);
            _exit(0); // the figures are out; the world is not released
        }
        int status = 0;
        if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            result = 1;
    }
    return result;
}
