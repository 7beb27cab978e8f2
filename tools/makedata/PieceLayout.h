#pragma once
// The layout of a track piece's control points that the race relies on: the centre line the
// racers measure their progress on and respawn at, the three lanes across it, the exit frame
// the next piece is joined at, the structure places in pairs and the decor places on the road.
// The data builder writes no piece that breaks it, and the data tests run the same check over
// every shipped piece.
#include <string>
#include <vector>

#include "tools/makedata/Shapes.h"

// Centre-line points are about this far apart: a segment of the race.
constexpr float PIECE_SEGMENT_LENGTH = 20.0f;
// Half the width of the road surface of every piece.
constexpr float PIECE_ROAD_HALF_WIDTH = 10.0f;
// The lanes lie this far apart across the centre line, lane 1 on it.
constexpr float PIECE_LANE_SPACING = 5.0f;
// No bend of a centre line is sharper than this radius: the computer drivers aim up to four
// segments ahead and would cut a tighter bend across its inner edge.
constexpr float PIECE_SHARPEST_BEND_RADIUS = 50.0f;
// Centre-line point of the straight with the voice cue that a racer falling there respawns at.
constexpr int PIECE_RESPAWN_POINT = 6;

struct PieceControlPoints {
    std::vector<Vec3> centreLine; // group 0, in driving order
    std::vector<Vec3> frames;     // group 1: exit, exit + right, exit - up, then structure pairs
    std::vector<Vec3> decorPlaces; // group 2
};

// The fewest centre-line points a piece may have: the straight with the voice cue ("AH_020_1",
// piece kinds 5 and 12) needs its respawn point as a segment of its own, so one point more.
int MinimumCentreLinePoints(const std::string& pieceName);

// What is wrong with the piece's layout, one line per fault; empty when nothing is.
std::vector<std::string> PieceLayoutFaults(const std::string& pieceName, const PieceControlPoints& points);

// Throws std::invalid_argument naming the piece and its first fault.
void RequirePieceLayout(const std::string& pieceName, const PieceControlPoints& points);
