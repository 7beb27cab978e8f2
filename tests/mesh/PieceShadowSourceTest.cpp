// The track pieces' shadow sources stay within the decks they stand for: a source that reached
// out of its deck would shade the road it lies on.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <map>
#include <string>

#include "engine/mesh/MeshFile.h"
#include "tools/makedata/AssetSink.h"
#include "tools/makedata/Generators.h"

namespace {

struct Point {
    float x, y, z;
};
Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point operator*(Point a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float Dot(Point a, Point b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Point Cross(Point a, Point b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Length(Point a) { return std::sqrt(Dot(a, a)); }

class MemorySink : public AssetSink {
public:
    void Add(const std::string& name, Pack, std::vector<std::uint8_t> bytes) override { files[name] = std::move(bytes); }
    std::map<std::string, std::vector<std::uint8_t>> files;
};

Point Corner(const MeshGroupData& group, std::uint32_t triangle, int corner)
{
    const MeshVertex& v = group.vertices[group.indices[triangle * 3 + corner]];
    return {v.position[0], v.position[1], v.position[2]};
}

// The visible deck: 1 beyond either edge of the road (which widens through a loop), from the
// road down to 1.8 below it. The game moves each face of a shadow source in by 0.1 before it
// extrudes it, so a source may reach that far out of the deck.
constexpr float DECK_BEYOND_ROAD = 1.0f, DECK_DEPTH = 1.8f, GAME_INSET = 0.1f;

// The road's frames from the ground collision group (its left and right edge at each step),
// the forward direction from the neighbouring steps.
struct RoadFrame {
    Point centre, right, up, forward;
    float deckHalfWidth;
};

Point Normalized(Point a) { return a * (1.0f / Length(a)); }

std::vector<RoadFrame> RoadFrames(const MeshGroupData& road)
{
    std::vector<Point> centres, rights;
    std::vector<float> halfWidths;
    for (std::uint32_t i = 0; i + 1 < road.vertexCount; i += 2) {
        const Point left {road.vertices[i].position[0], road.vertices[i].position[1], road.vertices[i].position[2]};
        const Point right {road.vertices[i + 1].position[0], road.vertices[i + 1].position[1], road.vertices[i + 1].position[2]};
        centres.push_back((left + right) * 0.5f);
        rights.push_back(Normalized(right - left));
        halfWidths.push_back(Length(right - left) * 0.5f + DECK_BEYOND_ROAD);
    }
    std::vector<RoadFrame> frames;
    for (std::size_t i = 0; i < centres.size(); ++i) {
        // Every piece begins and ends level.
        const bool end = i == 0 || i + 1 == centres.size();
        const Point forward = end ? Normalized(Cross(rights[i], {0, 1, 0}))
                                  : Normalized(centres[i + 1] - centres[i - 1]);
        frames.push_back({centres[i], rights[i], Normalized(Cross(forward, rights[i])), forward, halfWidths[i]});
    }
    return frames;
}

// Whether the point lies within the deck: between the cross-sections of two neighbouring
// frames, within the section there taken in proportion between them.
bool WithinDeck(const std::vector<RoadFrame>& frames, Point point)
{
    for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
        const float before = Dot(point - frames[i].centre, frames[i].forward);
        const float after = Dot(point - frames[i + 1].centre, frames[i + 1].forward);
        constexpr float END_TOLERANCE = 0.01f; // the end caps lie on the first and last sections
        if (before < -END_TOLERANCE || after > END_TOLERANCE)
            continue;
        const float t = before / (before - after);
        const auto blend = [t](Point a, Point b) { return a + (b - a) * t; };
        const Point centre = blend(frames[i].centre, frames[i + 1].centre);
        const float halfWidth = frames[i].deckHalfWidth + (frames[i + 1].deckHalfWidth - frames[i].deckHalfWidth) * t;
        if (Length(point - centre) > halfWidth + DECK_DEPTH) // a section of another part of a loop
            continue;
        const float x = Dot(point - centre, Normalized(blend(frames[i].right, frames[i + 1].right)));
        const float y = Dot(point - centre, Normalized(blend(frames[i].up, frames[i + 1].up)));
        if (std::fabs(x) <= halfWidth + GAME_INSET && y <= GAME_INSET && y >= -DECK_DEPTH - GAME_INSET)
            return true;
    }
    return false;
}

TEST(PieceShadowSource, EveryCastingPieceKeepsItsSourceWithinItsDeck)
{
    MemorySink sink;
    for (const GeneratorEntry& entry : AllGenerators())
        if (std::string(entry.name) == "platforms")
            entry.generate(sink);
    int casting = 0;
    for (const auto& [name, bytes] : sink.files) {
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".msh") != 0)
            continue;
        MeshFile mesh;
        ASSERT_EQ(ReadMeshFile(bytes.data(), bytes.size(), mesh), MeshFileStatus::Ok) << name;
        const MeshGroupData& source = mesh.groups[1];
        if (!source.frameCount)
            continue;
        ++casting;
        // The source's corners and the middles of its edges and faces, where a chord across a
        // bend lies farthest from the arc.
        const std::vector<RoadFrame> frames = RoadFrames(mesh.groups[11]);
        int outside = 0;
        for (std::uint32_t triangle = 0; triangle < source.triangleCount; ++triangle) {
            const Point a = Corner(source, triangle, 0), b = Corner(source, triangle, 1), c = Corner(source, triangle, 2);
            for (const Point sample : {a, (a + b) * 0.5f, (b + c) * 0.5f, (c + a) * 0.5f, (a + b + c) * (1.0f / 3.0f)})
                outside += !WithinDeck(frames, sample);
        }
        EXPECT_EQ(outside, 0) << name << ": points of the shadow source outside the deck";
    }
    EXPECT_GT(casting, 0);
}

} // namespace
