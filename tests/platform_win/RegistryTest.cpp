#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win/WinRegistry.h"
#include "tests/support/ScratchFolder.h"

namespace {

// Points the volatile store at the scratch folder for the test.
class Registry : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1); }
    void TearDown() override { unsetenv("XDG_RUNTIME_DIR"); }
    ScratchFolder folder;
};

TEST_F(Registry, MissingKeyDoesNotOpen)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Nobody\\", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, CreatedKeyHoldsDwordValue)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Talvoro\\Vestrune\\", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_WRITE, nullptr, &key, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    const DWORD stored = 7;
    ASSERT_EQ(RegSetValueExA(key, "Started", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof stored), ERROR_SUCCESS);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Talvoro\\Vestrune\\", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD value = 0, size = sizeof value, type = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Started", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(size, 4u);

    BYTE small[2];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "Started", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(RegQueryValueExA(key, "Other", nullptr, nullptr, small, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

} // namespace
