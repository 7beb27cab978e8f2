// The computer driver: an aim point a few segments ahead on the centre line, full throttle or
// braking, and steering towards the aim; it brakes rather than push on a racer just ahead.
#include <algorithm>
#include <cmath>

#include "engine/helpers/VectorHelpers.h"
#include "engine/shell/GameTimer.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"

namespace {

constexpr int MAX_LOOK_AHEAD = 3;
constexpr float LANE_LEFT = 0.0f;
constexpr float LANE_RIGHT = 2.99f;
constexpr float BEND_THRESHOLD = 0.2f;
constexpr float FULL_LOCK = 2.5f;
const D3DXVECTOR3 WORLD_UP(0.0f, 1.0f, 0.0f);
// A racer ahead within this reach, along, across and up from the course, is close enough to
// touch: the scooters' bodies are 3.2 long, 1.9 wide and 1.5 high, and one may ride a little over
// the other. Ahead means by more than TOUCH_AHEAD_FROM, so two racers level with each other do not
// both brake; one on a road that passes over or under this one is not in the way.
constexpr float TOUCH_AHEAD = 3.8f;
constexpr float TOUCH_ACROSS = 2.6f;
constexpr float TOUCH_ABOVE = 3.0f;
constexpr float TOUCH_AHEAD_FROM = 0.3f;

// The point one past the end of the centre line stands for the last one.
const D3DXVECTOR3& SegmentPoint(int index)
{
    return track.segmentPoints[std::min(index, int(track.segmentCount) - 1)];
}

// The view frame at `from` looking towards `to`, up (0, 1, 0).
D3DXMATRIX ViewFrame(const D3DXVECTOR3& from, const D3DXVECTOR3& to)
{
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &from, &to, &WORLD_UP);
    return view;
}

// A loop of either hand ends the look-ahead: aiming segments round a loop, a driver steers too
// little against a drift across the road and slides off its edge on the way down, the same way
// at every try after the respawn before it.
bool EndsLookAhead(int index)
{
    const CPlatform* owner = track.segmentOwners[index];
    return (owner && owner->pieceKind >= TRACK_LOOP_KIND) || track.laneHints[index] != -1;
}

// Whether another racer still in the race is just ahead of this one, close enough to touch, in the
// frame along the current segment. A racer that pushes on it holds it, in a bend, against one
// alongside: neither can turn, and both slide off the road together.
bool RacerJustAhead(const CVehicle& self, const D3DXMATRIX& segmentFrame)
{
    D3DXVECTOR3 own;
    D3DXVec3TransformCoord(&own, &self.position, &segmentFrame);
    for (int i = 0; i < vehicleManager.vehicleCount; ++i) {
        const CVehicle& other = *vehicleManager.vehicles[i];
        if (&other == &self || other.raceState == RACE_STATE_FALLEN)
            continue;
        D3DXVECTOR3 at;
        D3DXVec3TransformCoord(&at, &other.position, &segmentFrame);
        const float ahead = at.z - own.z;
        if (ahead > TOUCH_AHEAD_FROM && ahead < TOUCH_AHEAD && std::fabs(at.x - own.x) < TOUCH_ACROSS &&
            std::fabs(at.y - own.y) < TOUCH_ABOVE)
            return true;
    }
    return false;
}

} // namespace

DriveDecision CVehicle::PlanComputerDrive()
{
    const float dt = gameTimer.gameStep;
    const int count = int(track.segmentCount);
    if (count < 2)
        return {-1, 0.0f};
    const int c = std::clamp(segment, 0, count - 2);

    // Look-ahead, cut short by a loop or a hinted segment.
    const float k = std::sqrt(handling * 0.01f);
    const int n = int(std::min(float(MAX_LOOK_AHEAD), k * speed * 0.013333334f));
    int t = std::min(c + n, count - 1);
    for (int i = c; i < t; ++i) {
        if (EndsLookAhead(i)) {
            t = i;
            break;
        }
    }

    // The course's bend at the look-ahead point, in the frame along the centre line there.
    const int before = std::max(0, t - 1);
    const D3DXMATRIX bendFrame = ViewFrame(SegmentPoint(before), SegmentPoint(t));
    D3DXVECTOR3 bend;
    Vec3Normalize(bend, SegmentPoint(t + 1) - SegmentPoint(before));
    D3DXVec3TransformNormal(&bend, &bend, &bendFrame);

    // Lanes: outside of bends and away from the lane a decor group blocks.
    const int ownLane = int(lane);
    if (bend.x < -BEND_THRESHOLD)
        lane = LANE_RIGHT;
    if (bend.x > BEND_THRESHOLD)
        lane = LANE_LEFT;
    const int hint = track.laneHints[t];
    const bool blocked = hint == ownLane;
    if (blocked) {
        if (hint == 0)
            lane = LANE_RIGHT;
        else if (hint == 1)
            lane = bend.x <= 0.0f ? LANE_LEFT : LANE_RIGHT;
        else if (hint == 2)
            lane = LANE_LEFT;
    }
    const float home = float(gridColumn);
    const float drift = 0.5f * dt;
    lane = lane < home ? std::min(home, lane + drift) : std::max(home, lane - drift);

    // Blend the aim along the segment after the look-ahead point by what is left of the current
    // one: the aim moves on as the scooter closes in on point c and meets point t + 1 when the
    // progress steps on. A blocked lane aims at the hinted point.
    const float length = Vec3Distance(SegmentPoint(c), SegmentPoint(c + 1));
    const D3DXMATRIX segmentFrame = ViewFrame(SegmentPoint(c), SegmentPoint(c + 1));
    D3DXVECTOR3 ahead;
    const D3DXVECTOR3 offset = SegmentPoint(c) - position;
    D3DXVec3TransformNormal(&ahead, &offset, &segmentFrame);
    const float toGo = blocked ? length : std::min(std::fabs(ahead.z), length);
    const float f = length > 0.0f ? 1.0f - toGo / length : 0.0f;
    aimPoint = SegmentPoint(t) + (SegmentPoint(t + 1) - SegmentPoint(t)) * f;

    D3DXVECTOR3 toAim;
    WorldToLocalDirection(toAim, aimPoint);
    Vec3Normalize(toAim, toAim);

    DriveDecision decision;
    const float wanted = toAim.z > 0.0f ? (1.0f - std::fabs(toAim.x) * 0.5f) * topSpeed : 0.0f;
    decision.throttle = wanted >= std::min(speed, topSpeed) ? 1 : -1;
    if (RacerJustAhead(*this, segmentFrame))
        decision.throttle = -1;
    if (segment > stopSegment)
        decision.throttle = -1;
    if (toAim.z > 0.0f)
        decision.steer = FULL_LOCK * toAim.x;
    else
        decision.steer = toAim.x > 0.0f ? FULL_LOCK : -FULL_LOCK;
    return decision;
}

void CVehicle::DriveComputer()
{
    const DriveDecision decision = PlanComputerDrive();
    ApplyControls(decision.throttle, decision.steer);
}
