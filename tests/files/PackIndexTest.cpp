#include <gmock/gmock.h>

#include "tests/files/ScratchFolder.h"

namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

void AppendInt32(std::vector<std::uint8_t>& bytes, std::int32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
}

// One index record as raw bytes.
std::vector<std::uint8_t> Record(const std::string& name, std::int32_t size, std::int32_t offset)
{
    std::vector<std::uint8_t> bytes;
    for (const char c : name)
        bytes.push_back(ShiftPackByte(static_cast<std::uint8_t>(c)));
    bytes.push_back(0);
    AppendInt32(bytes, size);
    AppendInt32(bytes, offset);
    return bytes;
}

std::vector<std::uint8_t> Index(const std::vector<std::vector<std::uint8_t>>& records, std::int32_t count)
{
    std::vector<std::uint8_t> bytes;
    for (const auto& record : records)
        bytes.insert(bytes.end(), record.begin(), record.end());
    AppendInt32(bytes, count);
    return bytes;
}

std::vector<std::string> Names(const PackIndex& index)
{
    std::vector<std::string> names;
    for (const PackRecord& record : index.records)
        names.push_back(record.name);
    return names;
}

TEST(PackIndexTest, DamagedIndexesAreReadAsFarAsTheyAreSound)
{
    const auto a = Record("a", 4, 0);
    const auto b = Record("b", 5, 4);
    const auto c = Record("c", 6, 9);
    const std::uint64_t dataLength = 15;
    const std::string longest(PACK_NAME_LIMIT, 'n');
    const std::string tooLong(PACK_NAME_LIMIT + 1, 'n');
    std::vector<std::uint8_t> cutInC = Index({a, b, c}, 3);
    cutInC.erase(cutInC.end() - 4 - 5, cutInC.end() - 4);

    struct Case {
        const char* what;
        std::vector<std::uint8_t> index;
        std::uint64_t dataLength;
        std::vector<std::string> names;
        bool problem;
    };
    const std::vector<Case> cases = {
        {"sound", Index({a, b, c}, 3), dataLength, {"a", "b", "c"}, false},
        {"last entry one byte past the data", Index({a, b, c}, 3), dataLength - 1, {"a", "b"}, true},
        {"empty file", {}, dataLength, {}, true},
        {"three bytes", {3, 0, 0}, dataLength, {}, true},
        {"no entries", Index({}, 0), 0, {}, false},
        {"negative count", Index({a, b, c}, -1), dataLength, {}, true},
        {"huge count", Index({a, b, c}, 0x7fffffff), dataLength, {"a", "b", "c"}, true},
        {"count beyond the records", Index({a, b}, 3), dataLength, {"a", "b"}, true},
        {"count short of the records", Index({a, b, c}, 2), dataLength, {"a", "b"}, true},
        {"record cut short", cutInC, dataLength, {"a", "b"}, true},
        {"name without terminator", Index({a, std::vector<std::uint8_t>(300, ShiftPackByte('n'))}, 2), dataLength,
         {"a"}, true},
        {"name running into the count", Index({a, std::vector<std::uint8_t>(10, ShiftPackByte('n'))}, 2), dataLength,
         {"a"}, true},
        {"name of 255 characters", Index({Record(longest, 1, 0), a}, 2), dataLength, {longest, "a"}, false},
        {"name of 256 characters", Index({Record(tooLong, 1, 0), a}, 2), dataLength, {}, true},
        {"name with a 0 character", Index({a, Record(std::string("x\0y", 3), 5, 4), c}, 3), dataLength, {"a", "c"}, true},
        {"negative size", Index({a, Record("b", -5, 4), c}, 3), dataLength, {"a", "c"}, true},
        {"negative offset", Index({a, Record("b", 5, -4), c}, 3), dataLength, {"a", "c"}, true},
        {"offset beyond the data", Index({a, Record("b", 0, 16), c}, 3), dataLength, {"a", "c"}, true},
        {"size and offset past 32 bits", Index({a, Record("b", 0x7fffffff, 0x7fffffff), c}, 3), 0x80000000ull,
         {"a", "c"}, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const PackIndex index = DecodePackIndex(test.index, test.dataLength);
        EXPECT_THAT(Names(index), ElementsAreArray(test.names));
        EXPECT_EQ(!index.problems.empty(), test.problem);
    }
}

TEST(PackIndexTest, WriterStoresNamesAndObjectsDataPlus128WithTheCountLast)
{
    PackBuilder objects(true);
    objects.Add("Ab", std::vector<std::uint8_t> {0x00, 0x41, 0xff});
    objects.Add("C", {});
    const std::vector<std::uint8_t> index = objects.Index();
    const std::vector<std::uint8_t> expected = {0xc1, 0xe2, 0x00, 3, 0, 0, 0, 0, 0, 0, 0,
                                                0xc3, 0x00, 0, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0};
    EXPECT_EQ(index, expected);
    EXPECT_EQ(objects.Data(), (std::vector<std::uint8_t> {0x80, 0xc1, 0x7f}));

    std::string everyCharacter;
    for (int c = 1; c < 256; ++c)
        if (c != 128)
            everyCharacter.push_back(static_cast<char>(c));
    PackBuilder world(false);
    world.Add(everyCharacter.substr(0, 200), std::vector<std::uint8_t> {1, 2});
    world.Add(everyCharacter.substr(200), std::vector<std::uint8_t> {3});
    EXPECT_EQ(world.Data(), (std::vector<std::uint8_t> {1, 2, 3}));
    const PackIndex decoded = DecodePackIndex(world.Index(), 3);
    EXPECT_THAT(decoded.problems, IsEmpty());
    ASSERT_EQ(decoded.records.size(), 2u);
    EXPECT_EQ(decoded.records[0].name + decoded.records[1].name, everyCharacter);
    EXPECT_EQ(decoded.records[1].offset, 2);
}

TEST(PackIndexTest, WriterRefusesNamesTheIndexCannotHold)
{
    PackBuilder pack(false);
    for (const std::string& name : {std::string(), std::string(PACK_NAME_LIMIT + 1, 'n'), std::string("a\x80" "b"),
                                    std::string("a\0b", 3)})
        EXPECT_THROW(pack.Add(name, {}), std::invalid_argument) << name;
    EXPECT_EQ(pack.Count(), 0);
}

using DamagedPackTest = ScratchFolder;

TEST_F(DamagedPackTest, FileSystemKeepsTheSoundEntriesAndLogsTheRest)
{
    GameSettings[SLOT_DEBUG_LOG] = 1;
    WriteFile(PACK_FILES[PACK_OBJECTS].index, Index({Record("Data/Good.obj", 3, 0), Record("Data/Past.obj", 3, 2)}, 2));
    WriteFile(PACK_FILES[PACK_OBJECTS].data, {ShiftPackByte('o'), ShiftPackByte('k'), ShiftPackByte('\n')});
    WriteFile(PACK_FILES[PACK_WORLD].index, Index({Record("Data/Mesh.x", 1, 0)}, -7));
    WriteFile(PACK_FILES[PACK_WORLD].data, {1});
    fileSystem.Init();

    const int good = fileSystem.Open("Data/Good.obj", FILE_MODE_OBJECTS);
    EXPECT_EQ(good, FILE_MODE_OBJECTS);
    EXPECT_EQ(ReadLines(good, 255, 2), (std::vector<std::string> {"ok", ""}));
    EXPECT_EQ(fileSystem.Open("Data/Past.obj", FILE_MODE_OBJECTS), -1);
    EXPECT_EQ(fileSystem.Open("Data/Mesh.x", FILE_MODE_WORLD), -1);

    const std::string log = ReadText("debug.txt");
    EXPECT_THAT(log, HasSubstr("Pack index Data/Objects.hdr: entry 1 \"Data/Past.obj\""));
    EXPECT_THAT(log, HasSubstr("Pack index Data/World.hdr: negative entry count -7"));
    EXPECT_THAT(log, HasSubstr("Pack Data/Textures.hdr or Data/Textures.pak missing"));
}

TEST_F(DamagedPackTest, ObjectsEntriesBeyondTheirHandleRangeAreLeftOut)
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i <= 3000; ++i)
        entries.emplace_back("Data/Static/" + std::to_string(i) + ".obj", "line");
    WritePack(PACK_OBJECTS, entries);
    fileSystem.Init();
    const int last = fileSystem.Open("Data/Static/2999.obj", FILE_MODE_OBJECTS);
    EXPECT_EQ(last, FILE_MODE_WORLD - 1);
    EXPECT_EQ(ReadLines(last, 255, 1), std::vector<std::string> {"line"});
    EXPECT_EQ(fileSystem.Open("Data/Static/3000.obj", FILE_MODE_OBJECTS), -1);
}

} // namespace
