// Loading a 20,000-vertex mesh file through the container: reading, layout conversion, the
// device meshes and the collision model with its face normals.
#include <benchmark/benchmark.h>

#include <fstream>

#include "engine/files/FileSystem.h"
#include "engine/mesh/MeshContainer.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SharedDevice.h"
#include "tools/makedata/MeshWriter.h"

namespace {

// A sphere of 20,000 vertices (100 rings x 199 segments) as body and collision group.
std::vector<std::uint8_t> LargeMesh()
{
    const Geometry sphere = MakeSphere({}, 10, 99, 199);
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, sphere);
    writer.AddFrame(GROUP_COLLISION, sphere);
    return writer.Encode();
}

void BM_LoadMeshWithCollisionModel(benchmark::State& state)
{
    ScratchFolder scratch;
    const std::vector<std::uint8_t> bytes = LargeMesh();
    scratch.WriteBytes("large.msh", bytes);
    d3dRender.device = SharedDeviceOf(128, 128).device;
    FileManager = 0;
    fileSystem.Init();
    for (auto _ : state) {
        CMeshContainer::MeshRecord* record = meshContainer.Load("large.msh", 0, D3DXMESH_MANAGED);
        benchmark::DoNotOptimize(record);
        meshContainer.ReleaseMesh(record);
    }
    state.counters["vertices"] = 20000;
    fileSystem.Release();
    d3dRender.device = nullptr;
}
BENCHMARK(BM_LoadMeshWithCollisionModel)->Unit(benchmark::kMillisecond);

} // namespace
