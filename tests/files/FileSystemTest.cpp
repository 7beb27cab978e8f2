#include <cstring>

#include "tests/files/ScratchFolder.h"

namespace {

using FileSystemTest = ScratchFolder;

const std::string FORTY = "Position                        12.5 0.0"; // 40 characters

TEST_F(FileSystemTest, ObjectsLineEndsAreOneOrTwoCharacters)
{
    struct Case {
        std::string text;
        std::vector<std::string> lines;  // then the end of the data: empty lines
    };
    const std::vector<Case> cases = {
        {"a\r\nb", {"a", "b"}},
        {"a\n\nb", {"a", "b"}},            // the empty line is swallowed
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb\r", {"a", "b"}},
        {"a\rb\n\n\nc", {"a", "b", "", "c"}},
    };
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::size_t i = 0; i < cases.size(); ++i)
        entries.emplace_back("Data/Static/Case" + std::to_string(i) + ".obj", cases[i].text);
    WritePack(PACK_OBJECTS, entries);
    fileSystem.Init();

    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(entries[i].first);
        const int handle = fileSystem.Open(entries[i].first.c_str(), FILE_MODE_OBJECTS);
        ASSERT_EQ(handle, FILE_MODE_OBJECTS + static_cast<int>(i));
        std::vector<std::string> expected = cases[i].lines;
        expected.insert(expected.end(), {"", ""});
        EXPECT_EQ(ReadLines(handle, 255, static_cast<int>(expected.size())), expected);
        fileSystem.Close(handle);
    }
}

TEST_F(FileSystemTest, ShortReadContinuesOnTheSameLine)
{
    const std::string text = FORTY + "\r\nnext\r\n";
    WritePack(PACK_OBJECTS, {{"Data/Static/Long.obj", text}});
    WriteFile("Data/Static/Long.obj", Bytes(text));
    const std::vector<std::string> expected = {FORTY.substr(0, 32), FORTY.substr(32), "next", ""};

    for (const int fileManager : {1, 0}) {
        SCOPED_TRACE(fileManager ? "packs on" : "packs off");
        FileManager = fileManager;
        fileSystem.Init();
        const int handle = fileSystem.Open("Data/Static/Long.obj", FILE_MODE_OBJECTS);
        ASSERT_NE(handle, -1);
        EXPECT_EQ(ReadLines(handle, 33, 4), expected);
        fileSystem.Close(handle);
    }
}

TEST_F(FileSystemTest, HandlesToOneObjectsEntryShareItsCursorAndCloseRewinds)
{
    WritePack(PACK_OBJECTS, {{"Data/Static/Other.obj", "x"}, {"Data/Static/Box.obj", "one\ntwo\nthree\n"}});
    fileSystem.Init();
    int size = 0;
    const int first = fileSystem.Open("Data/Static/Box.obj", FILE_MODE_OBJECTS, &size);
    const int second = fileSystem.Open("Data/Static/Box.obj", FILE_MODE_OBJECTS);
    EXPECT_EQ(first, 1001);
    EXPECT_EQ(second, first);
    EXPECT_EQ(size, 14);

    EXPECT_EQ(ReadLines(first, 255, 1), std::vector<std::string> {"one"});
    EXPECT_EQ(ReadLines(second, 255, 1), std::vector<std::string> {"two"});
    fileSystem.Open("Data/Static/Box.obj", FILE_MODE_OBJECTS);  // does not rewind
    EXPECT_EQ(ReadLines(first, 255, 1), std::vector<std::string> {"three"});
    fileSystem.Close(second);
    EXPECT_EQ(ReadLines(first, 255, 1), std::vector<std::string> {"one"});

    char buffer[8] = "kept";
    EXPECT_EQ(fileSystem.Read(buffer, 1, 4, first), 0);
    EXPECT_EQ(fileSystem.GetSize(first), 0);
    fileSystem.ReadLine(buffer, 8, -1);
    EXPECT_STREQ(buffer, "kept");
}

TEST_F(FileSystemTest, PackEntriesReadBackFromTheirDataFiles)
{
    const std::string mesh("\x00\x80\xff mesh bytes", 14);
    const std::string texture = "DDS texture bytes";
    const std::string sound = "RIFF....WAVE";
    WritePack(PACK_WORLD, {{"Data/Misc/RenderTechniques_00.dat", "techniques"}, {"Data/Meshes/Box.x", mesh}});
    WritePack(PACK_TEXTURES, {{"Data/Textures/Box.dds", texture}});
    WritePack(PACK_SD, {{"Data/Audio/Hit.wav", sound}});
    fileSystem.Init();

    struct Case {
        const char* name;
        int mode;
        const std::string& bytes;
    };
    int expectedSlot = 0;
    std::vector<int> handles;
    for (const Case& c : {Case {"Data/Meshes/Box.x", FILE_MODE_WORLD, mesh},
                          Case {"Data/Textures/Box.dds", FILE_MODE_TEXTURES, texture},
                          Case {"Data/Audio/Hit.wav", FILE_MODE_SD, sound}}) {
        SCOPED_TRACE(c.name);
        int size = -1;
        const int handle = fileSystem.Open(c.name, c.mode, &size);
        EXPECT_EQ(handle, c.mode + expectedSlot++);  // each open entry holds its own slot
        ASSERT_EQ(size, static_cast<int>(c.bytes.size()));
        EXPECT_EQ(fileSystem.GetSize(handle), 0);
        handles.push_back(handle);
    }
    std::string read(sound.size(), '\0');
    EXPECT_EQ(fileSystem.Read(read.data(), 1, static_cast<int>(read.size()), handles[2]), static_cast<int>(read.size()));
    EXPECT_EQ(read, sound);
    read.assign(mesh.size(), '\0');
    EXPECT_EQ(fileSystem.Read(read.data(), static_cast<int>(mesh.size()), 1, handles[0]), 1);
    EXPECT_EQ(read, mesh);

    fileSystem.Close(handles[0]);
    EXPECT_EQ(fileSystem.Open("Data/Misc/RenderTechniques_00.dat", FILE_MODE_WORLD), FILE_MODE_WORLD + 0);
    EXPECT_EQ(fileSystem.Open("Data/Meshes/Box.x", FILE_MODE_TEXTURES), -1);  // wrong pack
    EXPECT_EQ(fileSystem.Open("Data/Meshes/Box.x", 2000), -1);
}

TEST_F(FileSystemTest, PackModesNeverFallBackToLooseFilesWhilePacksAreOn)
{
    WritePack(PACK_WORLD, {});
    WriteFile("Data/Meshes/Loose.x", Bytes("loose"));
    fileSystem.Init();
    EXPECT_EQ(fileSystem.Open("Data/Meshes/Loose.x", FILE_MODE_WORLD), -1);
    EXPECT_EQ(fileSystem.Open("Data/Meshes/Loose.x", FILE_MODE_OBJECTS), -1);
    int size = 0;
    EXPECT_EQ(fileSystem.Open("Data\\Meshes\\Loose.x", FILE_MODE_BINARY, &size), 0);
    EXPECT_EQ(size, 5);
}

TEST_F(FileSystemTest, PacksOffOpenEveryModeFromDisk)
{
    WritePack(PACK_OBJECTS, {{"Data/Static/Box.obj", "packed\n"}});
    WriteFile("Data/Static/Box.obj", Bytes("loose\r\nsecond\n"));
    WriteFile("Data/Audio/Hit.wav", Bytes("RIFF"));
    FileManager = 0;
    fileSystem.Init();

    const int objects = fileSystem.Open("Data/Static/Box.obj", FILE_MODE_OBJECTS);
    EXPECT_EQ(objects, 0);
    EXPECT_EQ(ReadLines(objects, 255, 3), (std::vector<std::string> {"loose", "second", ""}));
    int size = 0;
    const int sound = fileSystem.Open("Data/Audio/Hit.wav", FILE_MODE_SD, &size);
    EXPECT_EQ(sound, 1);
    EXPECT_EQ(size, 4);
    EXPECT_EQ(fileSystem.GetSize(sound), 4);
    EXPECT_EQ(fileSystem.Open("Data/Audio/Hit.wav", 7), -1);
    EXPECT_EQ(fileSystem.Open("Data/Audio/Missing.wav", FILE_MODE_SD), -1);
}

TEST_F(FileSystemTest, MissingPackFilesLeaveThePackEmpty)
{
    struct Case {
        const char* what;
        bool index;
        bool data;
    };
    for (const Case& c : {Case {"neither file", false, false}, Case {"index only", true, false},
                          Case {"data only", false, true}}) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all("Data");
        WritePack(PACK_WORLD, {{"Data/Meshes/Box.x", "mesh"}});
        WritePack(PACK_OBJECTS, {{"Data/Static/Box.obj", "box"}});
        if (!c.index) {
            std::filesystem::remove(PACK_FILES[PACK_WORLD].index);
            std::filesystem::remove(PACK_FILES[PACK_OBJECTS].index);
        }
        if (!c.data) {
            std::filesystem::remove(PACK_FILES[PACK_WORLD].data);
            std::filesystem::remove(PACK_FILES[PACK_OBJECTS].data);
        }
        fileSystem.Init();
        EXPECT_EQ(fileSystem.Open("Data/Meshes/Box.x", FILE_MODE_WORLD), -1);
        EXPECT_EQ(fileSystem.Open("Data/Static/Box.obj", FILE_MODE_OBJECTS), -1);
    }
}

TEST_F(FileSystemTest, AllSlotsInUseFailEveryOpenThatNeedsOne)
{
    WritePack(PACK_OBJECTS, {{"Data/Static/Box.obj", "box"}});
    WritePack(PACK_WORLD, {{"Data/Meshes/Box.x", "mesh"}});
    WriteFile("Loose.txt", Bytes("text"));
    fileSystem.Init();
    for (int slot = 0; slot < FILE_SLOTS; ++slot)
        ASSERT_EQ(fileSystem.Open("Loose.txt", slot % 2 ? FILE_MODE_TEXT : FILE_MODE_BINARY), slot);

    EXPECT_EQ(fileSystem.Open("Loose.txt", FILE_MODE_BINARY), -1);
    EXPECT_EQ(fileSystem.Open("Data/Meshes/Box.x", FILE_MODE_WORLD), -1);
    EXPECT_EQ(fileSystem.OpenForWrite("Written.txt", FILE_MODE_TEXT), -1);
    EXPECT_EQ(fileSystem.Open("Data/Static/Box.obj", FILE_MODE_OBJECTS), FILE_MODE_OBJECTS);  // needs no slot

    fileSystem.Close(77);
    EXPECT_EQ(fileSystem.Open("Data/Meshes/Box.x", FILE_MODE_WORLD), FILE_MODE_WORLD + 77);
    fileSystem.Release();
    EXPECT_EQ(fileSystem.Open("Loose.txt", FILE_MODE_BINARY), 0);
}

TEST_F(FileSystemTest, WritesThroughDiskHandlesWithEitherSeparator)
{
    fileSystem.Init();
    EXPECT_TRUE(fileSystem.CreateFolder("Save"));
    EXPECT_FALSE(fileSystem.CreateFolder("Missing\\Save"));
    const std::string path = (std::filesystem::current_path() / "Save").string() + "\\Profile01.sav";
    const int handle = fileSystem.OpenForWrite(path.c_str(), FILE_MODE_BINARY);
    ASSERT_EQ(handle, 0);
    const int values[3] = {1, 2, 3};
    EXPECT_EQ(fileSystem.Write(values, sizeof(int), 3, handle), 3);
    EXPECT_EQ(fileSystem.GetSize(handle), 12);
    fileSystem.Close(handle);
    EXPECT_EQ(fileSystem.GetSize(handle), 0);  // a free slot

    int size = 0;
    const int reread = fileSystem.Open("Save/Profile01.sav", FILE_MODE_BINARY, &size);
    EXPECT_EQ(size, 12);
    int back[3] = {};
    EXPECT_EQ(fileSystem.Read(back, sizeof(int), 3, reread), 3);
    EXPECT_EQ(std::memcmp(back, values, sizeof values), 0);
    EXPECT_EQ(fileSystem.Write(values, sizeof(int), 1, FILE_MODE_WORLD + reread), 0);
    EXPECT_EQ(fileSystem.OpenForWrite("Save/Other.sav", FILE_MODE_OBJECTS), -1);
    EXPECT_EQ(fileSystem.Open("Save", FILE_MODE_BINARY), -1);  // a folder is no file
    EXPECT_EQ(fileSystem.GetSize(-1), 0);
    fileSystem.Close(-1);
}

} // namespace
