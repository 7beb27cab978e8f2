#pragma once
// The whole world brought up once per test process on the shared test device, with the data
// builder's files read as loose files from a scratch folder (packs off, audio off, blur off).
// Each test starts with the window active, no race running, the menu closed and a cleared world.
#include <gtest/gtest.h>

#include <string>
#include <vector>

constexpr unsigned WORLD_SCREEN_WIDTH = 160;
constexpr unsigned WORLD_SCREEN_HEIGHT = 120;

class WorldTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Writes Data/Locations/<location>/LocationData.obj with the given text.
    static void WriteLocation(int location, const std::string& text);
    // A location file: the lighting block of the generated locations, then these object lines.
    static std::string LocationText(const std::string& objectLines);
    // Stencil values of the bound depth-stencil surface over the whole back buffer.
    static std::vector<unsigned char> ReadStencil();
};
