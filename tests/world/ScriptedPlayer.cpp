#include "tests/world/ScriptedPlayer.h"

#include <algorithm>
#include <cmath>

#include "engine/helpers/VectorHelpers.h"
#include "engine/shell/MainWindow.h"
#include "engine/shell/WindowProcedure.h"
#include "world/scooters/Vehicle.h"
#include "world/track/Track.h"

namespace {

// lParam of a key message: repeat count 1; bit 30 the key was down before; bit 31 released.
constexpr LPARAM FIRST_PRESS = 1;
constexpr LPARAM REPEATED_PRESS = 1 | (1 << 30);
constexpr LPARAM RELEASE = 1 | (1 << 30) | (LPARAM(1) << 31);

} // namespace

void Keyboard::Hold(int key, bool down, unsigned now)
{
    const auto held = heldSince.find(key);
    if (down && held == heldSince.end()) {
        WndProc(mainWindow, WM_KEYDOWN, WPARAM(key), FIRST_PRESS);
        heldSince[key] = now;
    } else if (!down && held != heldSince.end()) {
        WndProc(mainWindow, WM_KEYUP, WPARAM(key), RELEASE);
        heldSince.erase(held);
    } else if (down && now - held->second >= KEY_REPEAT_DELAY_MS) {
        WndProc(mainWindow, WM_KEYDOWN, WPARAM(key), REPEATED_PRESS);
    }
}

void Keyboard::Tap(int key)
{
    WndProc(mainWindow, WM_KEYDOWN, WPARAM(key), FIRST_PRESS);
    WndProc(mainWindow, WM_KEYUP, WPARAM(key), RELEASE);
}

void Keyboard::ReleaseAll(unsigned now)
{
    while (!heldSince.empty())
        Hold(heldSince.begin()->first, false, now);
}

Keys DecideKeys(const CVehicle& scooter, float laneOffset)
{
    const int count = int(track.segmentCount);
    const int c = std::clamp(scooter.segment, 0, count - 2);
    const float lead = 18.0f + 0.4f * scooter.speed;
    // The point lead ahead of the scooter's place on segment c, along the centre line.
    D3DXVECTOR3 from = track.segmentPoints[c], along = track.segmentPoints[c + 1] - from;
    const float segmentLength = D3DXVec3Length(&along);
    const D3DXVECTOR3 offset = scooter.position - from;
    float left = lead - std::clamp(D3DXVec3Dot(&offset, &along) / segmentLength, 0.0f, segmentLength);
    int i = c;
    D3DXVECTOR3 aim = track.segmentPoints[c + 1];
    while (true) {
        const D3DXVECTOR3 a = track.segmentPoints[i], b = track.segmentPoints[i + 1];
        const float length = Vec3Distance(a, b);
        if (i + 2 >= count || left <= length) {
            aim = a + (b - a) * std::min(1.0f, left / length);
            break;
        }
        left -= length;
        ++i;
    }
    const D3DXVECTOR3 right(scooter.world._11, scooter.world._12, scooter.world._13);
    const D3DXVECTOR3 forward(scooter.world._31, scooter.world._32, scooter.world._33);
    const D3DXVECTOR3 up(scooter.world._21, scooter.world._22, scooter.world._23);
    const D3DXVECTOR3 toAim = aim + right * laneOffset - scooter.position;
    const float heading = std::atan2(D3DXVec3Dot(&toAim, &right), D3DXVec3Dot(&toAim, &forward));
    // Turning right is a positive turn about the scooter's up axis.
    const float turnRate = D3DXVec3Dot(&scooter.spin, &up);
    const float anticipated = heading - 0.35f * turnRate;
    Keys keys;
    keys.right = anticipated > 0.04f;
    keys.left = anticipated < -0.04f;
    keys.up = std::fabs(heading) < 0.35f || scooter.speed < 20.0f;
    keys.down = std::fabs(heading) > 0.8f && scooter.speed > 25.0f;
    return keys;
}

void HoldKeys(Keyboard& keyboard, const Keys& keys, unsigned now)
{
    keyboard.Hold(VK_UP, keys.up, now);
    keyboard.Hold(VK_DOWN, keys.down, now);
    keyboard.Hold(VK_LEFT, keys.left, now);
    keyboard.Hold(VK_RIGHT, keys.right, now);
}
