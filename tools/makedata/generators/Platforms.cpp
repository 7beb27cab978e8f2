// The track pieces: a road 20 wide between low rails, swept along each piece's centre line.
// Every piece starts at its origin heading +z with +y up and ends level; its control points
// give the centre line every ~20 units (group 0), the exit frame and two roadside structure
// places (group 1: exit, exit + right, exit - up, then position and facing point pairs) and
// the decor places of the straights (group 2).
#include <cmath>
#include <string>
#include <vector>

#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"
#include "tools/makedata/PieceLayout.h"

namespace {

constexpr float PI = 3.14159265358979f;
constexpr float SEGMENT_LENGTH = PIECE_SEGMENT_LENGTH;
constexpr float GEOMETRY_STEP = 4.0f;
constexpr float SHADOW_STEP = 6.0f;
constexpr float SHADOW_INSET = 0.3f;
constexpr float ROAD_HALF_WIDTH = PIECE_ROAD_HALF_WIDTH;
constexpr float STRUCTURE_OFFSET = 45.0f;
// A loop's straight run-up: a scooter respawned on the piece before it, at a standstill, comes
// to the turn at the speed it needs.
constexpr float LOOP_LEAD = 60.0f;
// Room for a driver a lane off the centre line who strays on the way round: a rail struck in
// the turn takes most of the speed the scooter needs to get over the top.
constexpr float LOOP_WIDENING = 6.0f;
// The run-out passes the run-up this far aside, clear of its rails.
constexpr float LOOP_SHIFT = 36.0f;
// A turn's road reaches further to the inside: a computer driver aims two or three segments ahead
// along the centre line and at speed takes a turn up to that far inside it. The widening grows to
// its full width and back to the common width at the joints over the ramp's length of the turn.
struct InnerWidening {
    float width, ramp;
};
constexpr InnerWidening U_TURN_INNER_WIDENING {10.0f, 40.0f};
constexpr InnerWidening QUARTER_TURN_INNER_WIDENING {8.0f, 20.0f};
const std::string FOLDER = "Data/Static/Platforms/01/";

struct PathFrame {
    Vec3 position, forward, up;
    Vec3 Right() const { return Cross(up, forward); }
};

float Ease(float t) { return t * t * (3.0f - 2.0f * t); }
float EaseSlope(float t) { return 6.0f * t * (1.0f - t); }

// forward from an unnormalised derivative; up from a hint, made square to forward.
PathFrame FrameOf(Vec3 position, Vec3 derivative, Vec3 upHint)
{
    const Vec3 forward = Normalized(derivative);
    return {position, forward, Normalized(upHint - forward * Dot(upHint, forward))};
}

enum class Shape { Straight, Slope, Turn, Loop };

// How much wider than other pieces' the road is on its left and on its right.
struct Widening {
    float left = 0, right = 0;
};

struct PieceSpec {
    const char* name;
    Shape shape;
    float length = 0; // straights and slopes
    float height = 0; // rise (negative: drop) of slopes and turns
    float side = 0;   // -1 left, +1 right
    float angle = 0;  // turns, radians
    float radius = 0; // turns and loops
    const char* decors = "DECORS_TYPE_NONE";
    bool decorPlace = false;

    // Pieces that climb, drop or loop may pass over another piece: their decks cast shadows.
    bool CastsShadow() const { return height != 0 || shape == Shape::Loop; }

    // How much wider than other pieces' the road is at t: a loop's turn is wider on both sides, a
    // turn on its inside; both taper to the common width where the pieces join.
    Widening WideningAt(float t) const
    {
        if (shape == Shape::Loop) {
            const float end = 2 * LoopLead() + 2 * PI * radius;
            const float wider = LOOP_WIDENING * Ease(std::min(1.0f, std::min(t, 1 - t) * end / LoopLead()));
            return {wider, wider};
        }
        if (shape == Shape::Turn) {
            const InnerWidening widening = angle == PI ? U_TURN_INNER_WIDENING : QUARTER_TURN_INNER_WIDENING;
            const float end = radius * angle;
            const float inner = widening.width * Ease(std::min(1.0f, std::min(t, 1 - t) * end / widening.ramp));
            return side < 0 ? Widening {inner, 0} : Widening {0, inner};
        }
        return {};
    }
    float LoopLead() const { return LOOP_LEAD; }
    float LoopShift() const { return LOOP_SHIFT; }

    PathFrame At(float t) const
    {
        switch (shape) {
        case Shape::Straight:
            return {{0, 0, length * t}, {0, 0, 1}, {0, 1, 0}};
        case Shape::Slope:
            return FrameOf({0, height * Ease(t), length * t}, {0, height * EaseSlope(t), length}, {0, 1, 0});
        case Shape::Turn: {
            const float a = angle * t;
            return FrameOf({side * radius * (1 - std::cos(a)), height * Ease(t), radius * std::sin(a)},
                           {side * radius * angle * std::sin(a), height * EaseSlope(t), radius * angle * std::cos(a)},
                           {0, 1, 0});
        }
        case Shape::Loop: {
            const float lead = LoopLead(), circle = 2 * PI * radius, total = 2 * lead + circle;
            const float u = total * t;
            if (u <= lead)
                return {{0, 0, u}, {0, 0, 1}, {0, 1, 0}};
            if (u >= lead + circle)
                return {{side * LoopShift(), 0, u - circle}, {0, 0, 1}, {0, 1, 0}};
            const float phi = (u - lead) / radius, f = phi / (2 * PI);
            return FrameOf({side * LoopShift() * Ease(f), radius * (1 - std::cos(phi)), lead + radius * std::sin(phi)},
                           {side * LoopShift() * EaseSlope(f) / (2 * PI * radius), std::sin(phi), std::cos(phi)},
                           {0, std::cos(phi), -std::sin(phi)});
        }
        }
        return {};
    }
};

// Parameters at equal arc length along the piece: count + 1 values from 0 to 1.
std::vector<float> EvenParameters(const PieceSpec& piece, int count)
{
    constexpr int FINE = 2000;
    std::vector<float> arc(FINE + 1, 0.0f);
    for (int i = 1; i <= FINE; ++i)
        arc[i] = arc[i - 1] + Length(piece.At(float(i) / FINE).position - piece.At(float(i - 1) / FINE).position);
    std::vector<float> parameters;
    int fine = 0;
    for (int k = 0; k <= count; ++k) {
        const float wanted = arc[FINE] * float(k) / float(count);
        while (fine < FINE && arc[fine + 1] < wanted)
            ++fine;
        const float span = arc[std::min(fine + 1, FINE)] - arc[fine];
        const float within = span > 0 ? (wanted - arc[fine]) / span : 0.0f;
        parameters.push_back(k == count ? 1.0f : (float(fine) + within) / FINE);
    }
    return parameters;
}

float ArcLength(const PieceSpec& piece)
{
    float length = 0;
    for (int i = 1; i <= 2000; ++i)
        length += Length(piece.At(i / 2000.0f).position - piece.At((i - 1) / 2000.0f).position);
    return length;
}

// One flat strip of the cross-section from a to b (x across, y up), swept along the frames,
// each side moved outward by the frame's widening; it faces to the left of a -> b. u runs over
// [u0, u1] across, v one unit per segment length.
Geometry SweepStrip(const std::vector<PathFrame>& frames, const std::vector<float>& along,
                    const std::vector<Widening>& widening, ProfilePoint a, ProfilePoint b, float u0, float u1)
{
    auto across = [](float x, Widening wider) { return x < 0 ? x - wider.left : x + wider.right; };
    Geometry strip;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const PathFrame& f = frames[i];
        const Vec3 right = f.Right();
        const float v = along[i] / SEGMENT_LENGTH;
        strip.AddVertex(f.position + right * across(a.x, widening[i]) + f.up * a.y, {}, u0, v);
        strip.AddVertex(f.position + right * across(b.x, widening[i]) + f.up * b.y, {}, u1, v);
    }
    for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
        const auto p = static_cast<std::uint16_t>(2 * i);
        strip.AddTriangle(p, p + 1, p + 2);
        strip.AddTriangle(p + 1, p + 3, p + 2);
    }
    ComputeSmoothNormals(strip);
    return strip;
}

struct PieceMesh {
    Geometry body, road, deck;
};

// Adds the quad a, b, c, d (in order round its edge) wound to face outward.
void AddOutwardQuad(Geometry& solid, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward)
{
    if (Dot(Cross(c - a, b - a), outward) < 0)
        std::swap(b, d);
    const std::uint16_t first = solid.AddVertex(a, {}, 0, 0);
    solid.AddVertex(b, {}, 0, 0);
    solid.AddVertex(c, {}, 0, 0);
    solid.AddVertex(d, {}, 0, 0);
    solid.AddTriangle(first, first + 1, first + 2);
    solid.AddTriangle(first, first + 2, first + 3);
}

// The deck under the road as a closed solid between top and bottom (below the centre line),
// each side moved outward by the frame's widening: what a piece casts its shadow from.
Geometry DeckSolid(const std::vector<PathFrame>& frames, const std::vector<Widening>& widening, float edge, float top,
                   float bottom)
{
    auto corners = [&](std::size_t i) {
        const PathFrame& f = frames[i];
        const Vec3 left = f.Right() * -(edge + widening[i].left), right = f.Right() * (edge + widening[i].right);
        return std::vector<Vec3> {f.position + left + f.up * top, f.position + right + f.up * top,
                                  f.position + right + f.up * bottom, f.position + left + f.up * bottom};
    };
    Geometry deck;
    for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
        const std::vector<Vec3> near = corners(i), far = corners(i + 1);
        const Vec3 middle = (frames[i].position + frames[i + 1].position +
                             (frames[i].up + frames[i + 1].up) * ((top + bottom) * 0.5f)) * 0.5f;
        for (int k = 0; k < 4; ++k) {
            const int next = (k + 1) % 4;
            const Vec3 centre = (near[k] + near[next] + far[k] + far[next]) * 0.25f;
            AddOutwardQuad(deck, near[k], near[next], far[next], far[k], centre - middle);
        }
    }
    const std::vector<Vec3> first = corners(0), last = corners(frames.size() - 1);
    AddOutwardQuad(deck, first[0], first[1], first[2], first[3], frames.front().forward * -1.0f);
    AddOutwardQuad(deck, last[0], last[1], last[2], last[3], frames.back().forward);
    return WeldCorners(deck);
}

// Frames at equal arc length, at most `step` apart, with the distance along the piece and the
// road's widening at each.
struct SweepFrames {
    std::vector<PathFrame> frames;
    std::vector<float> along;
    std::vector<Widening> widening;
};

SweepFrames SweepFramesOf(const PieceSpec& piece, float step)
{
    SweepFrames sweep;
    for (const float t : EvenParameters(piece, std::max(2, int(std::ceil(ArcLength(piece) / step))))) {
        sweep.frames.push_back(piece.At(t));
        const std::size_t n = sweep.frames.size();
        sweep.along.push_back(n == 1 ? 0.0f : sweep.along.back() + Length(sweep.frames[n - 1].position - sweep.frames[n - 2].position));
        sweep.widening.push_back(piece.WideningAt(t));
    }
    return sweep;
}

PieceMesh SweepPiece(const PieceSpec& piece)
{
    const SweepFrames sweep = SweepFramesOf(piece, GEOMETRY_STEP);
    constexpr float W = ROAD_HALF_WIDTH, RAIL = 1.2f, EDGE = W + 1.0f, BOTTOM = -1.8f;
    PieceMesh mesh;
    mesh.road = SweepStrip(sweep.frames, sweep.along, sweep.widening, {-W, 0}, {W, 0}, 0.0f, 0.5f);
    mesh.body = mesh.road;
    const ProfilePoint sides[][2] = {
        {{-W, RAIL}, {-W, 0}},         {{-EDGE, RAIL}, {-W, RAIL}}, {{-EDGE, BOTTOM}, {-EDGE, RAIL}},
        {{EDGE, BOTTOM}, {-EDGE, BOTTOM}}, {{EDGE, RAIL}, {EDGE, BOTTOM}}, {{W, RAIL}, {EDGE, RAIL}},
        {{W, 0}, {W, RAIL}},
    };
    for (const auto& side : sides)
        mesh.body.Append(SweepStrip(sweep.frames, sweep.along, sweep.widening, side[0], side[1], 0.5f, 1.0f));
    // The shadow source: the deck's solid SHADOW_INSET inside the visible deck on every side, at
    // a longer step than the visible deck's where its chords stay within the deck it stands for;
    // a loop, whose road turns over and aside at once, keeps the visible deck's frames.
    const SweepFrames shadow = piece.shape == Shape::Loop ? sweep : SweepFramesOf(piece, SHADOW_STEP);
    mesh.deck = DeckSolid(shadow.frames, shadow.widening, EDGE - SHADOW_INSET, -SHADOW_INSET, BOTTOM + SHADOW_INSET);
    return mesh;
}

PieceControlPoints ControlPointsOf(const PieceSpec& piece)
{
    PieceControlPoints points;
    const int segments = std::max(1, int(std::lround(ArcLength(piece) / SEGMENT_LENGTH)));
    for (const float t : EvenParameters(piece, segments))
        points.centreLine.push_back(piece.At(t).position);

    const PathFrame exit = piece.At(1.0f);
    points.frames = {exit.position, exit.position + exit.Right() * 10.0f, exit.position - exit.up * 10.0f};
    if (piece.shape != Shape::Loop) {
        const PathFrame middle = piece.At(0.5f);
        for (const float side : {-1.0f, 1.0f}) {
            const Vec3 place = middle.position + middle.Right() * (side * STRUCTURE_OFFSET) + Vec3 {0, -4, 0};
            points.frames.push_back(place);
            points.frames.push_back(place - middle.Right() * (side * 10.0f));
        }
    }
    if (piece.decorPlace)
        points.decorPlaces.push_back(piece.At(0.5f).position);
    return points;
}

std::vector<std::uint8_t> PieceMeshFile(const PieceSpec& piece)
{
    const PieceControlPoints points = ControlPointsOf(piece);
    RequirePieceLayout(piece.name, points);
    const PieceMesh geometry = SweepPiece(piece);
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, geometry.body);
    if (piece.CastsShadow())
        writer.AddFrame(GROUP_SHADOW, geometry.deck);
    writer.AddFrame(GROUP_COLLISION, geometry.body);
    writer.AddFrame(GROUP_GROUND_COLLISION, geometry.road);
    const std::vector<Vec3>* groups[] = {&points.centreLine, &points.frames, &points.decorPlaces};
    for (int group = 0; group < 3; ++group)
        for (const Vec3& point : *groups[group])
            writer.AddControlPoint(group, point);
    return writer.Encode();
}

std::vector<PieceSpec> Pieces()
{
    const float Q = PI / 2, H = PI;
    auto straight = [](const char* name, float length, const char* decors) {
        PieceSpec p {name, Shape::Straight};
        p.length = length;
        p.decors = decors;
        p.decorPlace = true;
        return p;
    };
    auto slope = [](const char* name, float height) {
        PieceSpec p {name, Shape::Slope};
        p.length = 120;
        p.height = height;
        return p;
    };
    auto turn = [](const char* name, float side, float angle, float radius, float height) {
        PieceSpec p {name, Shape::Turn};
        p.side = side;
        p.angle = angle;
        p.radius = radius;
        p.height = height;
        return p;
    };
    auto loop = [](const char* name, float side) {
        PieceSpec p {name, Shape::Loop};
        p.side = side;
        p.radius = 30;
        return p;
    };
    return {
        straight("AH_000_1", 160, "DECORS_TYPE_RANDOM"), straight("AH_020_1", 140, "DECORS_TYPE_BOX"),
        slope("AD_020_1", -28), slope("AU_020_1", 28),
        turn("LH_090_1", -1, Q, 60, 0), turn("RH_090_1", 1, Q, 60, 0),
        turn("LH_180_1", -1, H, 60, 0), turn("RH_180_1", 1, H, 60, 0),
        turn("LD_090_1", -1, Q, 60, -20), turn("RD_090_1", 1, Q, 60, -20),
        turn("LU_090_1", -1, Q, 60, 20), turn("RU_090_1", 1, Q, 60, 20),
        turn("LD_180_1", -1, H, 60, -30), turn("RD_180_1", 1, H, 60, -30),
        turn("LU_180_1", -1, H, 60, 30), turn("RU_180_1", 1, H, 60, 30),
        loop("A1_360_1", -1), loop("A2_360_1", 1),
    };
}

// Left half: the road with its lane marks; right half: riveted side panels.
DecodedImage PlatformTexture()
{
    return MakeFlatImage(256, 256, [](unsigned x, unsigned y) {
        if (x < 128) {
            const float across = float(x) / 128.0f * 20.0f - 10.0f; // road units
            const bool edge = std::fabs(across) > 9.0f;
            const bool lane = (std::fabs(std::fabs(across) - 2.5f) < 0.2f || std::fabs(std::fabs(across) - 7.5f) < 0.2f) &&
                              (y / 32) % 2 == 0;
            const unsigned grain = (x * 7 + y * 13) % 9;
            if (edge)
                return (y / 16) % 2 ? Argb(255, 230, 150, 30) : Argb(255, 40, 40, 48);
            if (lane)
                return Argb(255, 200, 210, 220);
            return Argb(255, 52 + grain, 56 + grain, 66 + grain);
        }
        const unsigned px = x % 32, py = y % 32;
        const bool seam = px == 0 || py == 0;
        const bool rivet = (px - 4) * (px - 4) + (py - 4) * (py - 4) < 3;
        if (seam)
            return Argb(255, 40, 50, 70);
        if (rivet)
            return Argb(255, 170, 180, 200);
        return Argb(255, 80 + py, 95 + py, 120 + py);
    });
}

// Flat normals with the panel seams as grooves.
DecodedImage PlatformBumpTexture()
{
    return MakeFlatImage(256, 256, [](unsigned x, unsigned y) {
        const bool seam = x >= 128 && (x % 32 == 0 || y % 32 == 0);
        return seam ? Argb(255, 100, 128, 230) : Argb(255, 128, 128, 255);
    });
}

void GeneratePlatforms(AssetSink& sink)
{
    sink.Add(FOLDER + "Platform.jpg", Pack::Textures, WriteJpg(PlatformTexture()));
    sink.Add(FOLDER + "PlatformBump.jpg", Pack::Textures, WriteJpg(PlatformBumpTexture()));
    for (const PieceSpec& piece : Pieces()) {
        const std::string mesh = FOLDER + piece.name + ".msh";
        sink.Add(mesh, Pack::World, PieceMeshFile(piece));
        ObjectDescriptionSpec description;
        description.objectType = "GTYPE_PLATFORM";
        description.mesh = mesh;
        description.baseTexture = FOLDER + "Platform.jpg";
        description.bumpTexture = FOLDER + "PlatformBump.jpg";
        if (piece.CastsShadow())
            description.sections = {ShadowSection(false)};
        description.tail = {{"Decors:", piece.decors}};
        sink.Add(FOLDER + piece.name + ".obj", Pack::Objects, WriteObjectDescription(description).Bytes());
    }
}

const GeneratorRegistration registration("platforms", GeneratePlatforms);

} // namespace
