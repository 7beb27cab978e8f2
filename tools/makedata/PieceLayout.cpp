#include "tools/makedata/PieceLayout.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr const char* RESPAWN_STRAIGHT = "AH_020_1";
// Neighbouring centre-line points are this near to the segment length.
constexpr float SEGMENT_TOLERANCE = 5.0f;
// Points said to coincide lie within this distance.
constexpr float SAME_POINT = 0.01f;
// Room beside the outer lanes for a scooter or a decor box.
constexpr float LANE_MARGIN = 2.5f;
// A lane frame is built with the world's up: the road under a decor group must not be steeper.
constexpr float STEEPEST_LANE_SLOPE = 0.5f;
constexpr int EXIT_FRAME_POINTS = 3;

std::string Format(const char* format, double a, double b = 0, double c = 0)
{
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

Vec3 Horizontal(Vec3 v) { return {v.x, 0.0f, v.z}; }

void CheckCentreLine(const std::string& name, const std::vector<Vec3>& line, std::vector<std::string>& faults)
{
    const int needed = MinimumCentreLinePoints(name);
    if (int(line.size()) < needed) {
        faults.push_back(Format("%.0f centre-line points, at least %.0f needed", double(line.size()), needed));
        return;
    }
    if (Length(line[0]) > SAME_POINT)
        faults.push_back(Format("the centre line starts at (%.2f, %.2f, %.2f), not at the origin", line[0].x,
                                line[0].y, line[0].z));
    // The first segment heads on along +z (a bend's first chord turns by half its angle).
    if (Normalized(line[1] - line[0]).z < 0.8f)
        faults.push_back("the centre line does not start ahead along +z");
    for (std::size_t i = 1; i < line.size(); ++i) {
        const float step = Length(line[i] - line[i - 1]);
        if (std::fabs(step - PIECE_SEGMENT_LENGTH) > SEGMENT_TOLERANCE)
            faults.push_back(Format("centre-line points %.0f and %.0f lie %.1f apart", double(i - 1), double(i), step));
    }
}

// The radius of every bend, in plan: the circle through three neighbouring points. Steep
// segments (a loop's climb and fall) have no bend in plan to speak of.
void CheckBends(const std::vector<Vec3>& line, std::vector<std::string>& faults)
{
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        const Vec3 in = line[i] - line[i - 1], out = line[i + 1] - line[i];
        if (std::fabs(Normalized(in).y) > STEEPEST_LANE_SLOPE || std::fabs(Normalized(out).y) > STEEPEST_LANE_SLOPE)
            continue;
        const Vec3 a = Horizontal(in), b = Horizontal(out);
        const float turn = std::fabs(Cross(a, b).y);
        if (turn <= 0.0f)
            continue;
        const float radius = Length(a) * Length(b) * Length(a + b) / (2.0f * turn);
        if (radius < PIECE_SHARPEST_BEND_RADIUS)
            faults.push_back(Format("the centre line bends at point %.0f with a radius of %.1f, sharper than %.0f",
                                    double(i), radius, PIECE_SHARPEST_BEND_RADIUS));
    }
}

void CheckFrames(const std::vector<Vec3>& line, const std::vector<Vec3>& frames, std::vector<std::string>& faults)
{
    if (frames.size() < std::size_t(EXIT_FRAME_POINTS)) {
        faults.push_back(Format("%.0f frame points, the exit frame needs 3", double(frames.size())));
        return;
    }
    if ((frames.size() - EXIT_FRAME_POINTS) % 2 != 0)
        faults.push_back("the structure places do not come in pairs");
    if (line.size() < 2)
        return;
    const Vec3 exit = frames[0];
    if (Length(exit - line.back()) > SAME_POINT)
        faults.push_back("the exit frame is not at the last centre-line point");
    // The next piece goes on level and on along the course: the second point level across the
    // road (square to the last chord within half a bend's segment angle), the third below.
    const Vec3 forward = Normalized(line.back() - line[line.size() - 2]);
    const Vec3 right = Normalized(frames[1] - exit), below = Normalized(frames[2] - exit);
    if (std::fabs(Dot(right, forward)) > 0.6f || std::fabs(right.y) > 0.01f || below.y > -0.99f)
        faults.push_back("the exit frame is not level and square to the centre line");
}

void CheckDecorPlaces(const std::vector<Vec3>& line, const std::vector<Vec3>& places, std::vector<std::string>& faults)
{
    for (std::size_t p = 0; p < places.size(); ++p) {
        const Vec3 q = places[p];
        std::size_t nearest = 0;
        for (std::size_t i = 1; i < line.size(); ++i)
            if (Length(line[i] - q) < Length(line[nearest] - q))
                nearest = i;
        if (nearest + 1 >= line.size()) {
            faults.push_back(Format("decor place %.0f is nearest the last centre-line point: its lanes have no direction",
                                    double(p)));
            continue;
        }
        const Vec3 along = line[nearest + 1] - line[nearest];
        if (std::fabs(Normalized(along).y) > STEEPEST_LANE_SLOPE) {
            faults.push_back(Format("decor place %.0f lies on a segment too steep for its lanes", double(p)));
            continue;
        }
        // Across the road from the centre line: the decor group's lanes must fit on it.
        const Vec3 right = Normalized(Cross(Vec3 {0, 1, 0}, Horizontal(along)));
        const float across = std::fabs(Dot(q - line[nearest], right));
        if (across + PIECE_LANE_SPACING + LANE_MARGIN > PIECE_ROAD_HALF_WIDTH)
            faults.push_back(Format("decor place %.0f lies %.1f off the centre line: its lanes leave the road",
                                    double(p), across));
    }
}

} // namespace

int MinimumCentreLinePoints(const std::string& pieceName)
{
    return pieceName == RESPAWN_STRAIGHT ? PIECE_RESPAWN_POINT + 2 : 2;
}

std::vector<std::string> PieceLayoutFaults(const std::string& pieceName, const PieceControlPoints& points)
{
    std::vector<std::string> faults;
    if (PIECE_LANE_SPACING + LANE_MARGIN > PIECE_ROAD_HALF_WIDTH)
        faults.push_back("the road is too narrow for three lanes");
    CheckCentreLine(pieceName, points.centreLine, faults);
    CheckBends(points.centreLine, faults);
    CheckFrames(points.centreLine, points.frames, faults);
    CheckDecorPlaces(points.centreLine, points.decorPlaces, faults);
    return faults;
}

void RequirePieceLayout(const std::string& pieceName, const PieceControlPoints& points)
{
    const std::vector<std::string> faults = PieceLayoutFaults(pieceName, points);
    if (!faults.empty())
        throw std::invalid_argument("track piece " + pieceName + ": " + faults.front());
}
