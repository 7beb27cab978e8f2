// Derived values of the levels and the computer racers' strength.
#include <gtest/gtest.h>

#include <cstdlib>

#include "frontend/GameMenu.h"
#include "tests/scooters/StraightTrack.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"

TEST(ScooterLevels, DerivedValuesSpanTheLevelRange)
{
    CVehicle scooter;
    scooter.speedLevel = scooter.powerLevel = scooter.controlLevel = 0;
    scooter.UpdateParameters();
    EXPECT_FLOAT_EQ(scooter.topSpeed, 45.0f);
    EXPECT_FLOAT_EQ(scooter.drivePower, 20.0f);
    EXPECT_NEAR(scooter.handling, 1400.0f, 0.01f);
    scooter.speedLevel = scooter.powerLevel = scooter.controlLevel = 9;
    scooter.UpdateParameters();
    EXPECT_NEAR(scooter.topSpeed, 60.0f, 0.001f);
    EXPECT_NEAR(scooter.drivePower, 40.0f, 0.001f);
    EXPECT_FLOAT_EQ(scooter.handling, 700.0f);
}

class RacerLevelsTest : public StraightTrackTest {
protected:
    void SetUp() override
    {
        StraightTrackTest::SetUp();
        savedFactor = RacerLevelFactor;
        player.speedLevel = player.powerLevel = player.controlLevel = 5;
        player.UpdateParameters();
        playerVehicle = &player;
    }
    void TearDown() override
    {
        RacerLevelFactor = savedFactor;
        StraightTrackTest::TearDown();
    }

    float savedFactor = 1.0f;
    CVehicle player;
};

TEST_F(RacerLevelsTest, ARacerTakesAtLeastThePlayersLevels)
{
    CVehicle racer;
    racer.speedLevel = 2;
    racer.powerLevel = 7;
    racer.controlLevel = 0;
    racer.SetOpponentLevels();
    EXPECT_EQ(racer.speedLevel, 5);
    EXPECT_EQ(racer.baseSpeedLevel, 5);
    EXPECT_EQ(racer.powerLevel, 7);
    EXPECT_EQ(racer.basePowerLevel, 7);
    EXPECT_EQ(racer.controlLevel, 5);
}

TEST_F(RacerLevelsTest, TheLevelFactorScalesSpeedPowerAndHandlingWithinItsSpread)
{
    struct Case {
        float factor;
        float speedLow, speedHigh, handlingLow, handlingHigh;
    };
    const Case cases[] = {{1.0f, 0.875f, 1.125f, 0.8f, 0.925f}, {0.8f, 0.675f, 0.925f, 0.875f, 1.125f}};
    const float baseTop = player.topSpeed, basePower = player.drivePower, baseHandling = player.handling;
    for (const Case& c : cases) {
        RacerLevelFactor = c.factor;
        std::srand(17);
        for (int i = 0; i < 300; ++i) {
            CVehicle racer;
            racer.SetOpponentLevels();
            EXPECT_GE(racer.handling, baseHandling * c.handlingLow - 0.01f);
            EXPECT_LE(racer.handling, baseHandling * c.handlingHigh + 0.01f);
            EXPECT_GE(racer.topSpeed, std::max(45.0f, baseTop * c.speedLow) - 0.01f);
            EXPECT_LE(racer.topSpeed, std::max(45.0f, baseTop * c.speedHigh) + 0.01f);
            EXPECT_GE(racer.drivePower, std::max(20.0f, basePower * c.speedLow) - 0.01f);
            EXPECT_LE(racer.drivePower, std::max(20.0f, basePower * c.speedHigh) + 0.01f);
        }
    }
}

TEST_F(RacerLevelsTest, TheRacerListScalesEveryoneButThePlayer)
{
    CVehicle racer;
    vehicleManager.vehicles[0] = &player;
    vehicleManager.vehicles[1] = &racer;
    vehicleManager.vehicleCount = 2;
    const float playerTop = player.topSpeed;
    vehicleManager.SetOpponentLevels();
    EXPECT_FLOAT_EQ(player.topSpeed, playerTop);
    EXPECT_EQ(racer.speedLevel, 5);
}
