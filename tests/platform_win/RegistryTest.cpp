#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>

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

DWORD StoredStarts(HKEY key)
{
    DWORD value = 0, size = sizeof value;
    return RegQueryValueExA(key, "Started", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS
               ? value
               : 0xFFFFFFFF;
}

TEST_F(Registry, StoreIsAPrivateFolderStampedWithTheBootId)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Talvoro\\Vestrune\\", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    const DWORD stored = 3;
    ASSERT_EQ(RegSetValueExA(key, "Started", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof stored), ERROR_SUCCESS);
    RegCloseKey(key);

    const auto store = folder.path() / "vestrune-registry";
    for (const auto& made : {store, store / "HKEY_LOCAL_MACHINE/Software/Talvoro/Vestrune"}) {
        struct stat info {};
        ASSERT_EQ(lstat(made.c_str(), &info), 0) << made;
        EXPECT_EQ(info.st_mode & 0777, 0700u) << made;
    }

    // Another boot id: the machine restarted, and the store starts empty.
    std::ofstream(store / "boot-id") << "00000000-0000-0000-0000-000000000000\n";
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Talvoro\\Vestrune\\", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

// A store folder that someone else could have planted or can change is never read or written.
TEST_F(Registry, StoreThatIsNotPrivateIsRefused)
{
    const auto store = folder.path() / "vestrune-registry";
    const auto keyFolder = store / "HKEY_LOCAL_MACHINE/Software/Talvoro/Vestrune";
    struct Case {
        const char* what;
        bool needsRoot;
        std::function<void()> plant;
    };
    const Case cases[] = {
        {"owned by another user", true,
         [&] {
             std::filesystem::create_directories(keyFolder);
             ASSERT_EQ(chown(store.c_str(), 4321, 4321), 0);
         }},
        {"writable by everyone (0777)", false,
         [&] {
             std::filesystem::create_directories(keyFolder);
             std::filesystem::permissions(store, std::filesystem::perms(0777));
         }},
        {"writable by its group (0770)", false,
         [&] {
             std::filesystem::create_directories(keyFolder);
             std::filesystem::permissions(store, std::filesystem::perms(0770));
         }},
        {"writable by its group only (0720)", false,
         [&] {
             std::filesystem::create_directories(keyFolder);
             std::filesystem::permissions(store, std::filesystem::perms(0720));
         }},
        {"writable by others only (0702)", false,
         [&] {
             std::filesystem::create_directories(keyFolder);
             std::filesystem::permissions(store, std::filesystem::perms(0702));
         }},
        {"writable and searchable by its group (0730)", false,
         [&] {
             std::filesystem::create_directories(keyFolder);
             std::filesystem::permissions(store, std::filesystem::perms(0730));
         }},
        {"sticky and writable by everyone (1777)", false,
         [&] {
             std::filesystem::create_directories(keyFolder);
             std::filesystem::permissions(store, std::filesystem::perms(01777));
         }},
        {"a link", false,
         [&] {
             std::filesystem::create_directories(folder.path() / "elsewhere" / keyFolder.lexically_relative(store));
             std::filesystem::create_directory_symlink(folder.path() / "elsewhere", store);
         }},
    };
    for (const Case& c : cases) {
        if (c.needsRoot && geteuid() != 0)
            continue;
        std::filesystem::remove_all(store);
        std::filesystem::remove_all(folder.path() / "elsewhere");
        c.plant();
        // An empty value: read, it would make every start a first start.
        const auto planted = std::filesystem::canonical(store) / keyFolder.lexically_relative(store) / "Started";
        std::ofstream(planted).flush();

        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Talvoro\\Vestrune\\", 0, KEY_READ, &key),
                  ERROR_ACCESS_DENIED) << c.what;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Talvoro\\Vestrune\\", 0, nullptr,
                                  REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key, nullptr), ERROR_ACCESS_DENIED) << c.what;
        EXPECT_EQ(std::filesystem::file_size(planted), 0u) << c.what;
    }
}

// Read and search rights for others leave the store private: only writing is refused to them.
TEST_F(Registry, StoreReadableByOthersIsUsed)
{
    const auto store = folder.path() / "vestrune-registry";
    for (const auto mode : {0700, 0750, 0755, 0711}) {
        std::filesystem::remove_all(store);
        std::filesystem::create_directory(store);
        std::filesystem::permissions(store, std::filesystem::perms(mode));
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Talvoro\\Vestrune\\", 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS) << std::oct << mode;
        if (key)
            RegCloseKey(key);
    }
}

TEST_F(Registry, ValuesAreNotReadThroughLinks)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Talvoro\\Vestrune\\", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    const auto target = folder.path() / "target";
    const DWORD value[2] = {REG_DWORD, 9};
    std::ofstream(target, std::ios::binary).write(reinterpret_cast<const char*>(value), sizeof value);
    std::filesystem::create_symlink(target, folder.path() / "vestrune-registry/HKEY_LOCAL_MACHINE/Software/Talvoro/Vestrune/Started");
    EXPECT_EQ(StoredStarts(key), 0xFFFFFFFF);

    const DWORD stored = 4;
    ASSERT_EQ(RegSetValueExA(key, "Started", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof stored), ERROR_SUCCESS);
    EXPECT_EQ(StoredStarts(key), 4u);
    EXPECT_EQ(std::filesystem::file_size(target), sizeof value) << "the link's target is left alone";
    RegCloseKey(key);
}

} // namespace
