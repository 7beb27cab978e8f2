// 2D quads through the renderer and an empty frame (clear and present) at 800 x 600.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/shell/MainWindow.h"
#include "platform/gfx/D3D9.h"
#include "tests/support/SharedDevice.h"

namespace {

// The renderer's device on an 800 x 600 window, without the technique file (2D needs none).
bool BringUpDevice()
{
    static bool ready = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        SharedDevice& shared = SharedDeviceOf(800, 600);
        if (!shared.device)
            return false;
        mainWindow = shared.window;
        d3dRender.direct3D = shared.direct3D;
        d3dRender.device = shared.device;
        d3dRender.presentParameters = shared.presentation;
        d3dRender.screenWidth = 800;
        d3dRender.screenHeight = 600;
        d3dRender.xFactor = d3dRender.yFactor = 1.0f;
        d3dRender.SetDefaultStates();
        return true;
    }();
    return ready;
}

void BM_Quads2D(benchmark::State& state)
{
    if (!BringUpDevice()) {
        state.SkipWithError("no GL device");
        return;
    }
    constexpr int QUADS_PER_FRAME = 1000;
    IDirect3DDevice9* device = d3dRender.device;
    for (auto _ : state) {
        device->BeginScene();
        for (int i = 0; i < QUADS_PER_FRAME; ++i) {
            const float x = static_cast<float>(i % 40) * 20.0f, y = static_cast<float>(i / 40) * 24.0f;
            // Alternating opaque and translucent quads change the blend state on every quad.
            DrawQuad(x, y, x + 16.0f, y + 20.0f, (i & 1) ? 0x80FF8040 : 0xFF4080FF, -1);
        }
        device->EndScene();
        d3dRender.Present();
    }
    state.SetItemsProcessed(state.iterations() * QUADS_PER_FRAME);
    state.counters["quads/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * QUADS_PER_FRAME,
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Quads2D)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EmptyFrame(benchmark::State& state)
{
    if (!BringUpDevice()) {
        state.SkipWithError("no GL device");
        return;
    }
    IDirect3DDevice9* device = d3dRender.device;
    for (auto _ : state) {
        device->BeginScene();
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        device->EndScene();
        d3dRender.Present();
    }
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
