#include "tools/makedata/generators/ScooterModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "tools/makedata/Loft.h"
#include "tools/makedata/generators/ScooterAtlas.h"

namespace {

constexpr float PI = std::numbers::pi_v<float>;
constexpr float NOSE_Z = SCOOTER_BODY_MAXIMUM.z;
constexpr float TAIL_Z = -1.5f;
constexpr float NOZZLE_EXIT_Z = SCOOTER_BODY_MINIMUM.z;
constexpr float FIN_TOP_Y = SCOOTER_BODY_MAXIMUM.y;
constexpr float FLOOR_Y = 0.3f; // over the shadow source, which ends at 0.24
constexpr int HULL_STATIONS = 16;
constexpr int HULL_RING_POINTS = 16;
constexpr int ROUND_POINTS = 12;
// The hover pods: their outer sides and undersides are the envelope's.
constexpr float POD_RADIUS = 0.3f;
constexpr float POD_X = SCOOTER_BODY_MAXIMUM.x - POD_RADIUS;
constexpr float POD_Y = POD_RADIUS;
constexpr float POD_Z = 1.3f;
constexpr float POD_TAIL = 0.5f; // how far the nacelles taper towards the middle

float Clamp01(float x) { return std::clamp(x, 0.0f, 1.0f); }
float Lerp(float a, float b, float t) { return a + (b - a) * t; }
float Hump(float t, float centre, float width) { return std::exp(-((t - centre) / width) * ((t - centre) / width)); }
float SmoothStep(float a, float b, float x)
{
    const float t = Clamp01((x - a) / (b - a));
    return t * t * (3.0f - 2.0f * t);
}

// The hull's section at a point of its length.
struct HullSection {
    float z, halfWidth, floor, top;
};

class HullProfile {
public:
    explicit HullProfile(const ScooterDesign& design) : design_(design) {}

    // t from 0 at the nose to 1 at the tail.
    HullSection At(float t) const
    {
        const float nose = std::sqrt(1.0f - std::pow(1.0f - Clamp01(t / design_.noseFraction), 2.0f));
        const float deck = design_.deckHeight + (design_.cowlHeight - design_.deckHeight) * Hump(t, CowlAt(), 0.15f) +
                           0.14f * Hump(t, 0.86f, 0.1f);
        HullSection section;
        section.z = Lerp(NOSE_Z, TAIL_Z, t);
        section.halfWidth = design_.hullHalfWidth * (0.05f + 0.95f * nose) * (1.0f - 0.2f * SmoothStep(0.7f, 1.0f, t));
        section.floor = FLOOR_Y + 0.16f * (1.0f - nose);
        section.top = section.floor + std::max(0.03f, (deck - section.floor) * std::sqrt(nose));
        return section;
    }
    // Where the cowl rises highest, just behind the nose.
    float CowlAt() const { return std::min(0.6f, design_.noseFraction + 0.12f); }
    float TAt(float z) const { return (NOSE_Z - z) / (NOSE_Z - TAIL_Z); }
    HullSection AtZ(float z) const { return At(TAt(z)); }

    std::vector<Vec3> Ring(float t) const
    {
        const HullSection s = At(t);
        const float half = 0.5f * (s.top - s.floor);
        return SuperEllipseRing({0, s.floor + half, s.z}, s.halfWidth, half, half, design_.sectionExponent,
                                HULL_RING_POINTS);
    }

private:
    const ScooterDesign& design_;
};

// A round ring about an axis along z.
std::vector<Vec3> RoundRing(float x, float y, float z, float radius)
{
    return SuperEllipseRing({x, y, z}, radius, radius, radius, 2.0f, ROUND_POINTS);
}

// Maps the texture coordinates a shape came with onto a rectangle of the atlas.
void FitUv(Geometry& geometry, UvRect rect)
{
    float uMin = 1e9f, uMax = -1e9f, vMin = 1e9f, vMax = -1e9f;
    for (const MeshVertex& vertex : geometry.vertices) {
        uMin = std::min(uMin, vertex.u), uMax = std::max(uMax, vertex.u);
        vMin = std::min(vMin, vertex.v), vMax = std::max(vMax, vertex.v);
    }
    for (MeshVertex& vertex : geometry.vertices) {
        vertex.u = Lerp(rect.u0, rect.u1, uMax > uMin ? (vertex.u - uMin) / (uMax - uMin) : 0.5f);
        vertex.v = Lerp(rect.v0, rect.v1, vMax > vMin ? (vertex.v - vMin) / (vMax - vMin) : 0.5f);
    }
}

// A tube of the radius along a path (a clockwise profile faces out).
Geometry Tube(const std::vector<Vec3>& path, float radius, Vec3 up)
{
    std::vector<ProfilePoint> profile;
    for (int j = 0; j <= 6; ++j) {
        const float angle = PI * 0.5f - 2.0f * PI * float(j) / 6.0f;
        profile.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    return SweepProfile(profile, path, up);
}

Geometry Hull(const HullProfile& profile)
{
    std::vector<std::vector<Vec3>> rings;
    for (int i = 0; i < HULL_STATIONS; ++i)
        rings.push_back(profile.Ring(std::pow(float(i) / float(HULL_STATIONS - 1), 1.3f)));
    Geometry hull = LoftRings(rings, true, BandRect(HULL_BAND));
    hull.Append(CapRing(rings.back(), {0, 0, -1}, BandRect(METAL_BAND)));
    return hull;
}

// A seat pad on the deck behind the cowl, with a raised back.
Geometry Seat(const HullProfile& profile)
{
    struct Station {
        float z, halfWidth, height;
    };
    static constexpr Station stations[] = {{0.3f, 0.03f, 0.02f},   {0.26f, 0.2f, 0.1f},    {0.12f, 0.26f, 0.15f},
                                           {-0.4f, 0.28f, 0.16f},  {-0.68f, 0.27f, 0.22f}, {-0.8f, 0.22f, 0.2f},
                                           {-0.86f, 0.03f, 0.03f}};
    std::vector<std::vector<Vec3>> rings;
    for (const Station& station : stations) {
        const float deck = profile.AtZ(station.z).top - 0.05f;
        rings.push_back(SuperEllipseRing({0, deck, station.z}, station.halfWidth, station.height, 0.05f, 3.0f, 10));
    }
    return LoftRings(rings, true, BandRect(SEAT_BAND));
}

// A hover pod: a nacelle along z whose outer end is a half sphere about its centre and whose
// inner end tapers towards the middle of the scooter; on a strut from the hull, with a chrome band.
void AddPod(ScooterModel& model, float side, float z)
{
    const float outwards = z > 0 ? 1.0f : -1.0f;
    const Vec3 centre {side * POD_X, POD_Y, z};
    // (offset from the centre away from the middle of the scooter, radius), from the outer end in.
    std::vector<std::pair<float, float>> stations;
    for (int k = 0; k <= 3; ++k) {
        const float angle = 0.5f * PI * float(3 - k) / 3.0f;
        stations.push_back({POD_RADIUS * std::sin(angle), std::max(0.002f, POD_RADIUS * std::cos(angle))});
    }
    for (const float t : {0.45f, 0.82f, 1.0f}) {
        const float taper = std::sqrt(std::max(0.0f, 1.0f - t * t));
        stations.push_back({-POD_TAIL * t, std::max(0.002f, POD_RADIUS * taper)});
    }
    std::vector<std::vector<Vec3>> rings;
    for (const auto& [offset, radius] : stations)
        rings.push_back(RoundRing(centre.x, centre.y, z + outwards * offset, radius));
    // Lofted towards -z, the rings face out.
    if (outwards < 0)
        std::reverse(rings.begin(), rings.end());
    const Geometry pod = LoftRings(rings, true, BandRect(POD_BAND));
    const Vec3 envelopeCentre = (SCOOTER_BODY_MINIMUM + SCOOTER_BODY_MAXIMUM) * 0.5f;
    for (const MeshVertex& vertex : pod.vertices) {
        const Vec3 position {vertex.position[0], vertex.position[1], vertex.position[2]};
        model.podReach = std::max(model.podReach, Length(position - envelopeCentre));
    }
    model.body.Append(pod);

    Geometry strut = Tube({{side * 0.1f, 0.4f, z}, {side * 0.4f, 0.37f, z}, {side * POD_X, 0.33f, z}}, 0.07f, {0, 1, 0});
    FitUv(strut, BandRect(METAL_BAND));
    model.body.Append(strut);

    std::vector<std::vector<Vec3>> band;
    for (const auto& [dz, radius] : {std::pair {0.04f, 0.29f}, {0.0f, 0.312f}, {-0.04f, 0.29f}})
        band.push_back(RoundRing(centre.x, centre.y, z + dz, radius));
    model.chrome.Append(LoftRings(band, true, {}));
}

// A nozzle: its shell and exit face, the hot inside, the chrome lip, and the flame point.
void AddNozzle(ScooterModel& model, float x, float y, float radius)
{
    std::vector<std::vector<Vec3>> shell;
    for (const auto& [z, scale] : {std::pair {-1.3f, 0.92f}, {-1.52f, 1.04f}, {-1.7f, 0.98f}, {NOZZLE_EXIT_Z, 0.88f},
                                   {NOZZLE_EXIT_Z, 0.7f}})
        shell.push_back(RoundRing(x, y, z, radius * scale));
    model.body.Append(LoftRings(shell, true, BandRect(METAL_BAND)));

    const std::vector<std::vector<Vec3>> inside = {RoundRing(x, y, NOZZLE_EXIT_Z, radius * 0.7f),
                                                   RoundRing(x, y, -1.6f, radius * 0.6f)};
    model.body.Append(LoftRings(inside, true, BandRect(NOZZLE_BAND)));
    model.body.Append(CapRing(inside.back(), {0, 0, -1}, BandRect(NOZZLE_BAND)));

    std::vector<std::vector<Vec3>> lip;
    for (const auto& [z, r] : {std::pair {-1.66f, radius + 0.015f}, {-1.78f, radius * 0.92f + 0.015f},
                               {-1.815f, radius * 0.79f}, {-1.79f, radius * 0.68f}})
        lip.push_back(RoundRing(x, y, z, r));
    model.chrome.Append(LoftRings(lip, true, {}));
    model.flamePoints.push_back({x, y, NOZZLE_EXIT_Z - 0.05f});
}

// A tail fin rising from its root on the hull to its tip, swept back, canted out about its root.
Geometry Fin(const HullProfile& profile, const ScooterDesign& design, float rootX, float cant)
{
    constexpr int STATIONS = 4, HALF = 6;
    const float leadRoot = -0.9f, trailRoot = -1.58f;
    const float rootY = profile.AtZ(-1.2f).top - 0.08f;
    // The tip's trailing edge stays inside the reach of the pods (see ScooterModel::podReach).
    const float tipLead = -1.05f - design.finSweep * 0.4f, tipTrail = -1.5f;
    std::vector<std::vector<Vec3>> rings;
    for (int k = 0; k < STATIONS; ++k) {
        const float s = float(k) / float(STATIONS - 1);
        const float y = Lerp(rootY, FIN_TOP_Y, s);
        const float lead = Lerp(leadRoot, tipLead, s), trail = Lerp(trailRoot, tipTrail, s);
        const float thickness = 0.06f * (1.0f - 0.6f * s);
        // Trailing edge, along the right side to the leading edge, back along the left side.
        std::vector<Vec3> ring;
        for (int i = 0; i < 2 * HALF; ++i) {
            const float q = i <= HALF ? float(i) / HALF : float(2 * HALF - i) / HALF;
            const float side = i <= HALF ? 1.0f : -1.0f;
            const float x = side * thickness * std::sin(PI * std::pow(q, 0.6f));
            ring.push_back({rootX + x, y, Lerp(trail, lead, q)});
        }
        rings.push_back(ring);
    }
    Geometry fin = LoftRings(rings, true, BandRect(FIN_BAND));
    fin.Append(CapRing(rings.back(), {0, 1, 0}, BandRect(FIN_BAND)));
    if (cant != 0.0f) {
        // Turned about the root line, then lifted or lowered so that the tip reaches the envelope.
        const float c = std::cos(cant), s = std::sin(cant);
        float top = -1e9f;
        for (MeshVertex& vertex : fin.vertices) {
            const float dx = vertex.position[0] - rootX, dy = vertex.position[1] - rootY;
            vertex.position[0] = rootX + dx * c + dy * s;
            vertex.position[1] = rootY - dx * s + dy * c;
            const float nx = vertex.normal[0], ny = vertex.normal[1];
            vertex.normal[0] = nx * c + ny * s;
            vertex.normal[1] = -nx * s + ny * c;
            top = std::max(top, vertex.position[1]);
        }
        fin.Translate({0, FIN_TOP_Y - top, 0});
    }
    return fin;
}

// A windscreen curving up from the cowl towards the rider, closed behind.
Geometry Windscreen(const HullProfile& profile, const ScooterDesign& design)
{
    constexpr int STATIONS = 6, POINTS = 11;
    const float cowl = profile.At(profile.CowlAt()).z;
    const float front = cowl + 0.42f, back = cowl - 0.08f;
    std::vector<std::vector<Vec3>> rings;
    for (int k = 0; k < STATIONS; ++k) {
        const float s = float(k) / float(STATIONS - 1);
        const float z = Lerp(front, back, s);
        const HullSection section = profile.AtZ(z);
        const float base = section.top - 0.03f;
        const float height = std::max(0.01f, (design.screenHeight - base) * std::pow(s, 0.8f));
        const float halfWidth = section.halfWidth * (0.35f + 0.4f * std::sqrt(s));
        std::vector<Vec3> ring;
        for (int j = 0; j < POINTS; ++j) {
            const float angle = PI * float(j) / float(POINTS - 1);
            ring.push_back({halfWidth * std::cos(angle), base + height * std::sin(angle), z});
        }
        rings.push_back(ring);
    }
    Geometry screen = LoftRings(rings, false, {});
    screen.Append(CapRing(rings.back(), {0, 0, -1}, {}));
    return screen;
}

void AddHandlebar(ScooterModel& model, const HullProfile& profile)
{
    const float columnBase = profile.AtZ(0.55f).top - 0.05f;
    model.chrome.Append(Tube({{0, columnBase, 0.55f}, {0, 1.1f, 0.62f}, {0, 1.36f, 0.7f}}, 0.04f, {0, 0, 1}));
    model.chrome.Append(Tube({{-0.34f, 1.36f, 0.66f}, {-0.2f, 1.39f, 0.71f}, {0, 1.4f, 0.72f}, {0.2f, 1.39f, 0.71f},
                              {0.34f, 1.36f, 0.66f}},
                             0.03f, {0, 1, 0}));
    for (const float side : {-1.0f, 1.0f}) {
        Geometry grip = Tube({{side * 0.32f, 1.365f, 0.665f}, {side * 0.48f, 1.34f, 0.62f}}, 0.045f, {0, 1, 0});
        FitUv(grip, BandRect(SEAT_BAND));
        model.body.Append(grip);
    }
}

// A thin chrome strip along each side of the hull at its widest.
void AddSideTrim(ScooterModel& model, const HullProfile& profile)
{
    for (const float side : {-1.0f, 1.0f}) {
        std::vector<Vec3> path;
        for (int i = 0; i <= 5; ++i) {
            const HullSection s = profile.AtZ(Lerp(1.05f, -1.3f, float(i) / 5.0f));
            path.push_back({side * (s.halfWidth + 0.004f), 0.5f * (s.floor + s.top), s.z});
        }
        model.chrome.Append(Tube(path, 0.018f, {0, 1, 0}));
    }
}

} // namespace

ScooterModel BuildScooterModel(const ScooterDesign& design)
{
    const HullProfile profile(design);
    ScooterModel model;
    model.body = Hull(profile);
    model.body.Append(Seat(profile));
    for (const float side : {-1.0f, 1.0f})
        for (const float z : {POD_Z, -POD_Z})
            AddPod(model, side, z);

    const HullSection tail = profile.At(1.0f);
    const float nozzleY = tail.floor + 0.45f * (tail.top - tail.floor);
    static constexpr float spacing[] = {0.0f, 0.22f, 0.27f};
    static constexpr float radius[] = {0.23f, 0.16f, 0.125f};
    const int nozzles = std::clamp(design.nozzles, 1, 3);
    for (int i = 0; i < nozzles; ++i) {
        const float x = spacing[nozzles - 1] * float(2 * i - (nozzles - 1)) / float(std::max(1, nozzles - 1));
        AddNozzle(model, x, nozzleY, radius[nozzles - 1]);
    }

    if (design.fins == 2) {
        for (const float side : {-1.0f, 1.0f})
            model.body.Append(Fin(profile, design, side * 0.3f, side * 0.3f));
    } else {
        model.body.Append(Fin(profile, design, 0.0f, 0.0f));
    }
    model.glass = Windscreen(profile, design);
    AddHandlebar(model, profile);
    AddSideTrim(model, profile);
    return model;
}
