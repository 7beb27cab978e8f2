// The mesh file reader against the data builder's writer, and its refusal of damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/mesh/MeshFile.h"
#include "tools/makedata/MeshWriter.h"

namespace {

MeshWriter SampleMesh()
{
    MeshWriter writer;
    Geometry body = MakeBox({0, 1, 0}, {1, 1, 2});
    writer.AddFrame(GROUP_BODY, body);
    body.Translate({0, 3, 0});
    writer.AddFrame(GROUP_BODY, body);
    writer.AddFrame(4, MakeSphere({5, 0, 0}, 2, 4, 6));
    writer.AddControlPoint(0, {1, 2, 3});
    writer.AddControlPoint(15, {4, 5, 6});
    writer.AddControlPoint(15, {7, 8, 9});
    return writer;
}

// Byte equality of two arrays of plain records; empty arrays may hold no storage at all.
template <class Record>
bool SameBytes(const std::vector<Record>& a, const std::vector<Record>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Record)) == 0);
}

void ExpectSameGroup(const MeshGroupData& a, const MeshGroupData& b)
{
    ASSERT_EQ(a.frameCount, b.frameCount);
    ASSERT_EQ(a.vertexCount, b.vertexCount);
    ASSERT_EQ(a.triangleCount, b.triangleCount);
    EXPECT_TRUE(SameBytes(a.bounds, b.bounds));
    EXPECT_TRUE(SameBytes(a.vertices, b.vertices));
    EXPECT_EQ(a.indices, b.indices);
    EXPECT_TRUE(SameBytes(a.controlPoints, b.controlPoints));
}

} // namespace

TEST(MeshFile, WriterOutputReadsBackUnchanged)
{
    const MeshWriter writer = SampleMesh();
    const std::vector<std::uint8_t> bytes = writer.Encode();
    MeshFile read;
    ASSERT_EQ(MeshFileStatus::Ok, ReadMeshFile(bytes.data(), bytes.size(), read));
    for (int g = 0; g < MESH_GROUP_COUNT; ++g) {
        SCOPED_TRACE(g);
        ExpectSameGroup(writer.Mesh().groups[g], read.groups[g]);
    }
    EXPECT_EQ(2u, read.groups[0].frameCount);
    EXPECT_FLOAT_EQ(3.0f, read.groups[0].bounds[1].minimum[1]);
    EXPECT_FLOAT_EQ(-2.0f, read.groups[0].bounds[0].minimum[2]);
    EXPECT_FLOAT_EQ(7.0f, read.groups[15].controlPoints[1].x);
}

TEST(MeshFile, LayoutOfTheBytes)
{
    MeshWriter writer;
    writer.AddFrame(3, MakeBox({}, {1, 1, 1}));
    const std::vector<std::uint8_t> bytes = writer.Encode();
    // header, one frame's bounds, 24 vertices, 12 triangles, point counts
    EXPECT_EQ(192u + 40u + 24u * 32u + 12u * 6u + 64u, bytes.size());
    std::uint32_t word;
    std::memcpy(&word, bytes.data() + 3 * 4, 4);
    EXPECT_EQ(1u, word);
    std::memcpy(&word, bytes.data() + 64 + 3 * 4, 4);
    EXPECT_EQ(24u, word);
    std::memcpy(&word, bytes.data() + 128 + 3 * 4, 4);
    EXPECT_EQ(12u, word);
    float radius;
    std::memcpy(&radius, bytes.data() + 192 + 24 + 12, 4);
    EXPECT_NEAR(std::sqrt(3.0f), radius, 1e-5f);
}

TEST(MeshFile, EveryShortenedFileIsRefused)
{
    const std::vector<std::uint8_t> bytes = SampleMesh().Encode();
    MeshFile read;
    for (std::size_t length = 0; length < bytes.size(); ++length)
        ASSERT_EQ(MeshFileStatus::Truncated, ReadMeshFile(bytes.data(), length, read)) << length;
}

TEST(MeshFile, DamagedCountsAndIndicesAreRefused)
{
    MeshWriter writer;
    writer.AddFrame(2, MakeBox({}, {1, 1, 1}));
    const std::vector<std::uint8_t> good = writer.Encode();
    const std::size_t firstIndex = 192 + 40 + 24 * 32;
    struct Case {
        const char* what;
        std::size_t offset;
        std::vector<std::uint8_t> patch; // little-endian bytes written at offset
        MeshFileStatus expected;
    };
    const std::vector<std::uint8_t> allOnes {0xFF, 0xFF, 0xFF, 0xFF};
    const Case cases[] = {
        {"index equal to the vertex count", firstIndex, {24, 0}, MeshFileStatus::IndexOutOfRange},
        {"last index far out", firstIndex + 12 * 6 - 2, {0xFF, 0xFF}, MeshFileStatus::IndexOutOfRange},
        {"frame count beyond memory", 2 * 4, allOnes, MeshFileStatus::Truncated},
        {"vertex count beyond memory", 64 + 2 * 4, allOnes, MeshFileStatus::Truncated},
        {"triangle count beyond memory", 128 + 2 * 4, allOnes, MeshFileStatus::Truncated},
        {"frames of a group without vertices", 5 * 4, {1, 0, 0, 0}, MeshFileStatus::EmptyGroup},
        {"control points beyond the end", good.size() - 4, {0, 0, 0, 0x40}, MeshFileStatus::Truncated},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        std::copy(c.patch.begin(), c.patch.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.offset));
        MeshFile read;
        EXPECT_EQ(c.expected, ReadMeshFile(bytes.data(), bytes.size(), read)) << c.what;
    }
}

TEST(MeshFile, TrailingBytesAreIgnored)
{
    std::vector<std::uint8_t> bytes = SampleMesh().Encode();
    bytes.resize(bytes.size() + 7, 0xAB);
    MeshFile read;
    EXPECT_EQ(MeshFileStatus::Ok, ReadMeshFile(bytes.data(), bytes.size(), read));
}
