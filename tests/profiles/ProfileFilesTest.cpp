#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>

#include "engine/files/FileSystem.h"
#include "frontend/Profiles.h"
#include "tests/profiles/SaveFixtures.h"
#include "tests/support/ScratchFolder.h"

namespace {

class ProfileFilesTest : public ::testing::Test {
protected:
    void SetUp() override { fileSystem.Init(); }
    void TearDown() override { fileSystem.Release(); }

    void WriteProfile(const char* file, const ProfileImage& profile)
    {
        folder.WriteBytes(std::string("Save/") + file, BytesOf(profile));
    }

    ScratchFolder folder;
};

bool SameProfile(const ProfileImage& a, const ProfileImage& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(CareerDefaults, NewProfileHasOneSectorFourScootersAndNoCareer)
{
    CareerProgress career;
    std::memset(&career, 0x5A, sizeof career);
    ResetCareer(career);
    EXPECT_EQ(career.sectorsOpen, 1);
    EXPECT_EQ(career.scootersOpen, 4);
    EXPECT_EQ(career.noCareer, 1);
    EXPECT_EQ(career.careerScooter, 0);
    EXPECT_EQ(career.upgradePoints, 0);
    EXPECT_EQ(career.places[15], 0);
    EXPECT_EQ(career.times[0], 0.0f);
    EXPECT_TRUE(IsPlausibleCareer(career));
}

TEST(CareerLayout, FieldsSitAtTheirFileOffsets)
{
    EXPECT_EQ(offsetof(CareerProgress, times), 64u);
    EXPECT_EQ(offsetof(CareerProgress, sector), 128u);
    EXPECT_EQ(offsetof(CareerProgress, lastPlace), 144u);
    EXPECT_EQ(offsetof(CareerProgress, sectorsOpen), 152u);
    EXPECT_EQ(offsetof(CareerProgress, controlLevel), 176u);
    EXPECT_EQ(offsetof(ProfileImage, career), 16u);
}

TEST_F(ProfileFilesTest, WrittenProfileReadsBackByteForByteWithoutTemporaryFile)
{
    const ProfileImage written = SampleProfile("Ann");
    ASSERT_TRUE(WriteProfileFile("Save/Profile01.sav", written));
    EXPECT_EQ(std::filesystem::file_size("Save/Profile01.sav"), 196u);
    EXPECT_FALSE(folder.Exists("Save/Profile01.sav.tmp"));

    ProfileImage read {};
    ASSERT_EQ(ReadProfileFile("Save/Profile01.sav", read), SaveReadResult::Loaded);
    EXPECT_TRUE(SameProfile(read, written));
}

TEST_F(ProfileFilesTest, RewriteReplacesTheOldProfile)
{
    ASSERT_TRUE(WriteProfileFile("Save/Profile01.sav", SampleProfile("Ann")));
    ProfileImage changed = SampleProfile("Ann");
    changed.career.upgradePoints = 9;
    ASSERT_TRUE(WriteProfileFile("Save/Profile01.sav", changed));
    ProfileImage read {};
    ASSERT_EQ(ReadProfileFile("Save/Profile01.sav", read), SaveReadResult::Loaded);
    EXPECT_EQ(read.career.upgradePoints, 9);
}

TEST_F(ProfileFilesTest, FailedWriteLeavesThePreviousSaveWhole)
{
    const ProfileImage original = SampleProfile("Ann");
    ASSERT_TRUE(WriteProfileFile("Save/Profile01.sav", original));
    // A folder where the temporary file would go: the write cannot start.
    std::filesystem::create_directory("Save/Profile01.sav.tmp");
    ProfileImage changed = original;
    changed.career.stage = 3;
    EXPECT_FALSE(WriteProfileFile("Save/Profile01.sav", changed));

    ProfileImage read {};
    ASSERT_EQ(ReadProfileFile("Save/Profile01.sav", read), SaveReadResult::Loaded);
    EXPECT_TRUE(SameProfile(read, original));
}

TEST_F(ProfileFilesTest, BadFilesAreRefusedAndLeaveTheRecordUntouched)
{
    struct Case {
        const char* what;
        std::function<std::vector<std::uint8_t>()> bytes;
    };
    const auto damaged = [](std::function<void(ProfileImage&)> change) {
        return [change] {
            ProfileImage profile = SampleProfile("Bob");
            change(profile);
            return BytesOf(profile);
        };
    };
    const Case cases[] = {
        {"empty", [] { return std::vector<std::uint8_t>(); }},
        {"name only", [] { return BytesOfFile("Bob"); }},
        {"one byte short", [] { auto b = BytesOf(SampleProfile("Bob")); b.pop_back(); return b; }},
        {"one byte long", [] { auto b = BytesOf(SampleProfile("Bob")); b.push_back(0); return b; }},
        {"name without terminator", damaged([](ProfileImage& p) { std::memset(p.name, 'A', sizeof p.name); })},
        {"place 4", damaged([](ProfileImage& p) { p.career.places[3] = 4; })},
        {"place -1", damaged([](ProfileImage& p) { p.career.places[15] = -1; })},
        {"stage 5", damaged([](ProfileImage& p) { p.career.stage = 5; })},
        {"stage -1", damaged([](ProfileImage& p) { p.career.stage = -1; })},
        {"sector past the last", damaged([](ProfileImage& p) { p.career.sector = 4; })},
        {"negative sector", damaged([](ProfileImage& p) { p.career.sector = -1; })},
        {"no-career flag 2", damaged([](ProfileImage& p) { p.career.noCareer = 2; })},
        {"no-career flag -1", damaged([](ProfileImage& p) { p.career.noCareer = -1; })},
        {"negative careers completed", damaged([](ProfileImage& p) { p.career.careersCompleted = -1; })},
        {"last place -2", damaged([](ProfileImage& p) { p.career.lastPlace = -2; })},
        {"last place past the grid", damaged([](ProfileImage& p) { p.career.lastPlace = 65; })},
        {"no sector open", damaged([](ProfileImage& p) { p.career.sectorsOpen = 0; })},
        {"no scooter open", damaged([](ProfileImage& p) { p.career.scootersOpen = 0; })},
        {"career scooter 8", damaged([](ProfileImage& p) { p.career.careerScooter = 8; })},
        {"career scooter -1", damaged([](ProfileImage& p) { p.career.careerScooter = -1; })},
        {"Speed level 10", damaged([](ProfileImage& p) { p.career.speedLevel = 10; })},
        {"Power level 10", damaged([](ProfileImage& p) { p.career.powerLevel = 10; })},
        {"Control level 10", damaged([](ProfileImage& p) { p.career.controlLevel = 10; })},
        {"Speed level -1", damaged([](ProfileImage& p) { p.career.speedLevel = -1; })},
        {"Power level -1", damaged([](ProfileImage& p) { p.career.powerLevel = -1; })},
        {"Control level -1", damaged([](ProfileImage& p) { p.career.controlLevel = -1; })},
        {"negative points", damaged([](ProfileImage& p) { p.career.upgradePoints = -1; })},
        {"negative time", damaged([](ProfileImage& p) { p.career.times[9] = -0.5f; })},
        {"time not a number", damaged([](ProfileImage& p) { p.career.times[2] = std::nanf(""); })},
        {"infinite last time",
         damaged([](ProfileImage& p) { p.career.lastTime = std::numeric_limits<float>::infinity(); })},
    };
    for (const Case& c : cases) {
        folder.WriteBytes("Save/Profile01.sav", c.bytes());
        ProfileImage read = SampleProfile("Kept");
        const ProfileImage before = read;
        EXPECT_EQ(ReadProfileFile("Save/Profile01.sav", read), SaveReadResult::Damaged) << c.what;
        EXPECT_TRUE(SameProfile(read, before)) << c.what;
    }
    ProfileImage read {};
    EXPECT_EQ(ReadProfileFile("Save/Profile02.sav", read), SaveReadResult::Missing);
}

TEST_F(ProfileFilesTest, SavedValuesAtTheEdgesOfTheirRangesLoad)
{
    ProfileImage profile = SampleProfile("Edge");
    profile.career.stage = 4; // career finished
    profile.career.lastPlace = -1;
    profile.career.sectorsOpen = 4;
    profile.career.scootersOpen = 8;
    profile.career.careerScooter = 7;
    profile.career.speedLevel = profile.career.powerLevel = profile.career.controlLevel = 9;
    WriteProfile("Profile01.sav", profile);
    ProfileImage read {};
    EXPECT_EQ(ReadProfileFile("Save/Profile01.sav", read), SaveReadResult::Loaded);
}

// Earlier builds went on counting open sectors and scooters past all open at the end of each
// career; such a profile loads with everything open.
TEST_F(ProfileFilesTest, OpenCountsPastAllOpenLoadAsAllOpen)
{
    ProfileImage profile = SampleProfile("Twice");
    profile.career.sectorsOpen = 9;
    profile.career.scootersOpen = 12;
    WriteProfile("Profile01.sav", profile);
    ProfileImage read {};
    ASSERT_EQ(ReadProfileFile("Save/Profile01.sav", read), SaveReadResult::Loaded);
    EXPECT_EQ(read.career.sectorsOpen, 4);
    EXPECT_EQ(read.career.scootersOpen, 8);
    EXPECT_EQ(read.career.speedLevel, profile.career.speedLevel);
}

TEST_F(ProfileFilesTest, ListingHasNoEntriesWithoutSaveFolder)
{
    ProfileList list;
    ListProfileFiles(list);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(FreeProfileNumber(1), 1);
}

TEST_F(ProfileFilesTest, ListingKeepsSoundProfilesAndSetsDamagedOnesApartWithoutTakingAPosition)
{
    WriteProfile("Profile01.sav", SampleProfile("Ann"));
    folder.WriteBytes("Save/Profile02.sav", BytesOfFile("short"));
    WriteProfile("Profile03.sav", SampleProfile("Cid"));
    std::filesystem::create_directory("Save/Profile04.sav");
    ASSERT_EQ(::mkfifo("Save/Profile05.sav", 0600), 0); // opened, it would wait for a writer
    folder.Write("Save/Other.sav", "x");

    ProfileList list;
    ListProfileFiles(list);
    ASSERT_EQ(list.count, 2);
    EXPECT_STREQ(list.paths[0], "Save/Profile01.sav");
    EXPECT_STREQ(list.names[0], "Ann");
    EXPECT_STREQ(list.paths[1], "Save/Profile03.sav");
    EXPECT_STREQ(list.names[1], "Cid");
    ASSERT_EQ(list.damagedCount, 2);
    EXPECT_STREQ(list.damagedPaths[0], "Save/Profile02.sav");
    EXPECT_STREQ(list.damagedPaths[1], "Save/Profile05.sav");
    EXPECT_EQ(folder.Read("Save/Profile02.sav"), "short") << "a damaged file is left alone";
}

// Damaged files never push a sound profile off the ten places.
TEST_F(ProfileFilesTest, ListingStopsAtTenProfiles)
{
    folder.WriteBytes("Save/Profile00.sav", BytesOfFile("damaged"));
    for (int number = 1; number <= 12; ++number) {
        char path[PROFILE_PATH_SIZE];
        ProfilePath(number, path);
        ASSERT_TRUE(WriteProfileFile(path, SampleProfile("P")));
    }
    ProfileList list;
    ListProfileFiles(list);
    EXPECT_EQ(list.count, PROFILE_LIST_SIZE);
    EXPECT_STREQ(list.paths[9], "Save/Profile10.sav");
    EXPECT_EQ(list.damagedCount, 0);
}

TEST_F(ProfileFilesTest, FreeNumberNeverNamesAnExistingFile)
{
    WriteProfile("Profile01.sav", SampleProfile("Ann"));
    WriteProfile("Profile02.sav", SampleProfile("Bob"));
    folder.WriteBytes("Save/Profile04.sav", BytesOfFile("damaged"));
    EXPECT_EQ(FreeProfileNumber(3), 3);
    EXPECT_EQ(FreeProfileNumber(2), 3) << "the preferred number is taken";
    EXPECT_EQ(FreeProfileNumber(4), 3) << "a damaged file still holds its number";
    EXPECT_EQ(FreeProfileNumber(0), 3);
    std::filesystem::remove("Save/Profile01.sav");
    EXPECT_EQ(FreeProfileNumber(2), 1) << "the lowest free number";
}

} // namespace
