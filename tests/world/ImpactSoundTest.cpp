#include <gtest/gtest.h>

#include "world/ImpactSound.h"
#include "world/objects/ObjectDescription.h"

namespace {

struct ImpactCase {
    const char* name;
    ImpactParty a, b;
    bool sounds;
    int sounding;
    float volume;
};

const D3DXVECTOR3 STILL(0, 0, 0);

const ImpactCase CASES[] = {
    {"scooter landing on a platform", {GTYPE_PLATFORM, STILL}, {GTYPE_VEHICLE, {0, -30, 0}}, false, 0, 0},
    {"decors never sound together", {GTYPE_DECORS, {30, 0, 0}}, {GTYPE_DECORS, STILL}, false, 0, 0},
    {"scooter hits a box at half speed 6", {GTYPE_VEHICLE, {12, 0, 0}}, {GTYPE_DECORS, STILL}, true, 1, 60},
    {"scooter brushes a box at half speed 5", {GTYPE_DECORS, STILL}, {GTYPE_VEHICLE, {10, 0, 0}}, false, 0, 0},
    {"box falls on a platform", {GTYPE_DECORS, {0, -7, 0}}, {GTYPE_PLATFORM, STILL}, true, 0, 70},
    {"two scooters at half relative speed 12", {GTYPE_VEHICLE, {12, 0, 0}}, {GTYPE_VEHICLE, {-12, 0, 0}}, true, 0,
     100},
    {"two scooters at half relative speed 7", {GTYPE_VEHICLE, {0, 0, 3}}, {GTYPE_VEHICLE, {0, 0, -11}}, true, 0, 70},
    {"scooter into a structure at 8", {GTYPE_STRUCTURE, STILL}, {GTYPE_VEHICLE, {0, 8, 0}}, true, 1, 80},
    {"box and scooter moving together", {GTYPE_DECORS, {0, 0, 30}}, {GTYPE_VEHICLE, {0, 0, 28}}, false, 0, 0},
    {"scooter into a structure, speed capped", {GTYPE_STRUCTURE, STILL}, {GTYPE_VEHICLE, {0, 0, 50}}, true, 1, 100},
    {"box against a structure", {GTYPE_DECORS, {40, 0, 0}}, {GTYPE_STRUCTURE, STILL}, false, 0, 0},
    {"anything against a planet", {GTYPE_PLANET2, STILL}, {GTYPE_VEHICLE, {40, 0, 0}}, false, 0, 0},
};

TEST(ImpactSound, TypesPickTheCaseAndSpeedTheVolume)
{
    for (const ImpactCase& c : CASES) {
        SCOPED_TRACE(c.name);
        ImpactChoice choice {-1, -1.0f};
        ASSERT_EQ(ChooseImpact(c.a, c.b, &choice), c.sounds);
        if (!c.sounds)
            continue;
        EXPECT_EQ(choice.sounding, c.sounding);
        EXPECT_NEAR(choice.volume, c.volume, 0.01f);
    }
}

TEST(ImpactSound, SceneOwnersAreReusedInTurn)
{
    SceneImpactOwners owners;
    SoundOwner* first = owners.Next();
    for (int i = 1; i < SceneImpactOwners::COUNT; ++i)
        EXPECT_NE(owners.Next(), first);
    EXPECT_EQ(owners.Next(), first);
}

} // namespace
