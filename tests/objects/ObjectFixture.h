#pragma once
// Static objects loaded from descriptions written into a scratch folder, on the shared device,
// with the world's camera looking down +z from the origin and the debug log on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/D3D9.h"
#include "tests/support/ScratchFolder.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"

class ObjectTest : public ::testing::Test {
protected:
    static constexpr UINT SIZE = 64;

    void SetUp() override;
    void TearDown() override;

    // Writes the mesh, a 4 x 4 texture file per name and the description; returns its name.
    std::string Describe(const std::string& name, ObjectDescriptionSpec spec);
    void WriteMesh(const std::string& name, const MeshWriter& writer) const;
    void WriteTexture(const std::string& name, std::uint32_t argb) const;
    // The debug log so far (message boxes write their text there).
    std::string Log() const;

    ScratchFolder scratch;
};

// A unit box (body, shadow and collision groups) and the mesh writer holding it.
MeshWriter BoxMesh();
