// Image decoders: every DDS layout, mip chains, cube maps and volumes, BMP variants, JPG, and
// the files that must be refused.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gfxx/DxtDecoder.h"
#include "platform/gfxx/ImageDecoder.h"
#include "platform/gfxx/MipChain.h"
#include "tools/makedata/ImageWriters.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Four quadrants of colours that DXT and R5G6B5 hold exactly.
const std::uint32_t Quadrant[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};

DecodedImage Quadrants(unsigned side)
{
    return MakeFlatImage(side, side, [&](unsigned x, unsigned y) {
        return Quadrant[(y >= side / 2) * 2 + (x >= side / 2)];
    });
}

DecodedImage Decode(const Bytes& bytes)
{
    auto image = DecodeImageFile(bytes.data(), bytes.size());
    EXPECT_TRUE(image.has_value());
    return image.value_or(DecodedImage {});
}

int ChannelDistance(std::uint32_t a, std::uint32_t b)
{
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value) { std::memcpy(bytes.data() + offset, &value, 4); }

struct DdsCase {
    DdsFormat format;
    bool hasAlpha;
};

class DdsFormats : public ::testing::TestWithParam<DdsCase> {};

TEST_P(DdsFormats, RoundTripKeepsTexelsAndMipChain)
{
    // Level 0 holds four quadrants, each smaller level one colour of its own.
    DecodedImage source = Quadrants(8);
    AddMipChain(source);
    for (unsigned level = 1; level < 4; ++level)
        std::fill(source.faces[0][level].texels.begin(), source.faces[0][level].texels.end(), Quadrant[level]);
    const DecodedImage image = Decode(WriteDds(source, GetParam().format));
    ASSERT_EQ(image.faces.size(), 1u);
    EXPECT_EQ(image.shape, ImageShape::Flat);
    EXPECT_EQ(image.hasAlpha, GetParam().hasAlpha);
    ASSERT_EQ(image.LevelCount(), 4u);
    for (unsigned level = 0; level < 4; ++level) {
        const ImageLevel& got = image.faces[0][level];
        const ImageLevel& want = source.faces[0][level];
        ASSERT_EQ(got.width, want.width);
        ASSERT_EQ(got.height, want.height);
        for (std::size_t i = 0; i < want.texels.size(); ++i)
            ASSERT_EQ(got.texels[i], want.texels[i]) << "level " << level << " texel " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, DdsFormats,
                         ::testing::Values(DdsCase {DdsFormat::A8R8G8B8, true}, DdsCase {DdsFormat::X8R8G8B8, false},
                                           DdsCase {DdsFormat::R5G6B5, false}, DdsCase {DdsFormat::Dxt1, true},
                                           DdsCase {DdsFormat::Dxt3, true}, DdsCase {DdsFormat::Dxt5, true}));

TEST(DdsReader, AlphaSurvivesA8R8G8B8Dxt3AndDxt5)
{
    const DecodedImage source = MakeFlatImage(4, 4, [](unsigned x, unsigned) { return Argb(x * 85, 10, 20, 30); });
    for (DdsFormat format : {DdsFormat::A8R8G8B8, DdsFormat::Dxt3, DdsFormat::Dxt5}) {
        const DecodedImage image = Decode(WriteDds(source, format));
        for (unsigned x = 0; x < 4; ++x)
            EXPECT_NEAR(int(image.Top().texels[x] >> 24), int(x * 85), 17) << int(format);
    }
}

TEST(DxtDecoder, Dxt1ThreeColourModeHasTransparentBlack)
{
    // c0 = blue (0x001F) <= c1 = red (0xF800): three colours and transparent black. Indices per
    // row: 0, 1, 2, 3.
    const std::uint8_t block[8] = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0xE4, 0xE4, 0xE4};
    std::uint32_t texels[16];
    DecodeDxtSurface(DxtFormat::Dxt1, block, 4, 4, texels);
    EXPECT_EQ(texels[0], 0xFF0000FFu);
    EXPECT_EQ(texels[1], 0xFFFF0000u);
    EXPECT_EQ(texels[2], 0xFF7F007Fu);
    EXPECT_EQ(texels[3], 0x00000000u);
    EXPECT_EQ(texels[15], 0x00000000u);
}

TEST(DxtDecoder, FourColourModeInterpolatesThirds)
{
    const std::uint8_t block[8] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0xE4, 0xE4, 0xE4}; // red > blue
    std::uint32_t texels[16];
    DecodeDxtSurface(DxtFormat::Dxt1, block, 4, 4, texels);
    EXPECT_EQ(texels[2], 0xFFAA0055u);
    EXPECT_EQ(texels[3], 0xFF5500AAu);
}

TEST(DxtDecoder, SurfacesSmallerThanABlockDecodeTheirCorner)
{
    const DecodedImage source = MakeFlatImage(2, 1, [](unsigned x, unsigned) { return Quadrant[x]; });
    const DecodedImage image = Decode(WriteDds(source, DdsFormat::Dxt5));
    ASSERT_EQ(image.Top().texels.size(), 2u);
    EXPECT_EQ(image.Top().texels[0], Quadrant[0]);
    EXPECT_EQ(image.Top().texels[1], Quadrant[1]);
}

TEST(DdsReader, CubeMapFacesInOrder)
{
    const std::uint32_t colours[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu};
    DecodedImage source = MakeCubeImage(4, [&](unsigned face, unsigned, unsigned) { return colours[face]; });
    AddMipChain(source);
    for (DdsFormat format : {DdsFormat::X8R8G8B8, DdsFormat::Dxt1}) {
        const DecodedImage image = Decode(WriteDds(source, format));
        EXPECT_EQ(image.shape, ImageShape::Cube);
        ASSERT_EQ(image.faces.size(), 6u);
        for (unsigned face = 0; face < 6; ++face) {
            ASSERT_EQ(image.faces[face].size(), 3u);
            EXPECT_EQ(image.faces[face][0].texels[5], colours[face]);
            EXPECT_EQ(image.faces[face][2].texels[0], colours[face]);
        }
    }
}

TEST(DdsReader, VolumeSlicesAndHalvedDepth)
{
    DecodedImage source = MakeVolumeImage(4, 4, 4, [](unsigned, unsigned, unsigned z) { return Quadrant[z]; });
    AddMipChain(source);
    for (DdsFormat format : {DdsFormat::A8R8G8B8, DdsFormat::Dxt5}) {
        const DecodedImage image = Decode(WriteDds(source, format));
        EXPECT_EQ(image.shape, ImageShape::Volume);
        ASSERT_EQ(image.LevelCount(), 3u);
        EXPECT_EQ(image.faces[0][1].depth, 2u);
        EXPECT_EQ(image.faces[0][1].texels.size(), 8u);
        EXPECT_EQ(image.Top().texels, source.Top().texels);
    }
}

TEST(BmpReader, TwentyFourAndThirtyTwoBitsBottomUp)
{
    const DecodedImage source = MakeFlatImage(3, 2, [](unsigned x, unsigned y) { return Argb(0x80, x * 100, y * 100, 7); });
    const struct {
        BmpBits bits;
        bool hasAlpha;
    } cases[] = {{BmpBits::Rgb24, false}, {BmpBits::Rgb32, false}, {BmpBits::Argb32, true}};
    for (const auto& c : cases) {
        const DecodedImage image = Decode(WriteBmp(source, c.bits));
        EXPECT_EQ(image.hasAlpha, c.hasAlpha);
        ASSERT_EQ(image.Top().width, 3u);
        ASSERT_EQ(image.Top().height, 2u);
        for (std::size_t i = 0; i < 6; ++i) {
            const std::uint32_t want = c.hasAlpha ? source.Top().texels[i] : source.Top().texels[i] | 0xFF000000u;
            EXPECT_EQ(image.Top().texels[i], want) << int(c.bits) << " texel " << i;
        }
    }
}

TEST(BmpReader, NegativeHeightIsTopDown)
{
    const DecodedImage source = MakeFlatImage(2, 2, [](unsigned, unsigned y) { return Quadrant[y]; });
    Bytes bytes = WriteBmp(source, BmpBits::Rgb24);
    PutU32(bytes, 22, std::uint32_t(-2)); // same rows, now read top row first
    const DecodedImage image = Decode(bytes);
    EXPECT_EQ(image.Top().texels[0], Quadrant[1]);
    EXPECT_EQ(image.Top().texels[2], Quadrant[0]);
}

TEST(JpgReader, DecodesAnOpaqueImage)
{
    const DecodedImage source = MakeFlatImage(16, 8, [](unsigned x, unsigned) { return x < 8 ? 0xFFC02010u : 0xFF1020C0u; });
    const DecodedImage image = Decode(WriteJpg(source));
    EXPECT_FALSE(image.hasAlpha);
    ASSERT_EQ(image.Top().width, 16u);
    ASSERT_EQ(image.Top().height, 8u);
    EXPECT_LE(ChannelDistance(image.Top().texels[8 * 16 + 2 - 16], 0xFFC02010u), 12);
    EXPECT_LE(ChannelDistance(image.Top().texels[8 * 16 - 2], 0xFF1020C0u), 12);
}

// ---- files that must be refused ----

Bytes ValidDds() { return WriteDds(Quadrants(8), DdsFormat::A8R8G8B8); }
Bytes ValidBmp() { return WriteBmp(Quadrants(8), BmpBits::Rgb24); }

struct BadFile {
    const char* name;
    Bytes bytes;
};

std::vector<BadFile> BadFiles()
{
    std::vector<BadFile> files;
    auto add = [&](const char* name, Bytes bytes) { files.push_back({name, std::move(bytes)}); };
    auto patched = [](Bytes bytes, std::size_t offset, std::uint32_t value) {
        PutU32(bytes, offset, value);
        return bytes;
    };
    add("empty", {});
    add("unknown magic", {'G', 'I', 'F', '8', '9', 'a', 0, 0});
    add("dds magic only", {'D', 'D', 'S', ' '});
    Bytes dds = ValidDds();
    add("dds header cut", Bytes(dds.begin(), dds.begin() + 100));
    add("dds payload one byte short", Bytes(dds.begin(), dds.end() - 1));
    add("dds wrong header size", patched(dds, 4, 123));
    add("dds fourcc DXT2", patched(patched(dds, 80, 0x4), 84, 0x32545844));
    add("dds 24-bit rgb", patched(dds, 88, 24));
    add("dds zero width", patched(dds, 16, 0));
    add("dds absurd width", patched(dds, 16, 1u << 20));
    add("dds absurd area", patched(patched(dds, 16, 8192), 12, 8192 * 2));
    add("dds more levels than the chain", patched(patched(dds, 8, 0x21007), 28, 5));
    add("dds partial cube", patched(dds, 112, 0x200 | 0x400));
    add("dds cube not square", patched(WriteDds(MakeCubeImage(4, [](unsigned, unsigned, unsigned) { return 0u; }),
                                               DdsFormat::A8R8G8B8),
                                       12, 2));
    add("dds volume too deep", patched(WriteDds(MakeVolumeImage(2, 2, 2, [](unsigned, unsigned, unsigned) { return 0u; }),
                                                DdsFormat::A8R8G8B8),
                                       24, 4096));
    Bytes bmp = ValidBmp();
    add("bmp header cut", Bytes(bmp.begin(), bmp.begin() + 30));
    add("bmp rows cut", Bytes(bmp.begin(), bmp.end() - 1));
    add("bmp 8 bits", patched(bmp, 28, 8));
    add("bmp run-length", patched(bmp, 30, 1));
    add("bmp negative width", patched(bmp, 18, std::uint32_t(-8)));
    add("bmp absurd height", patched(bmp, 22, 1u << 24));
    add("bmp smallest height", patched(bmp, 22, 0x80000000u));
    add("bmp pixels past the end", patched(bmp, 10, 0xFFFFFFF0u));
    Bytes argb = WriteBmp(Quadrants(8), BmpBits::Argb32);
    add("bmp 32 with odd masks", patched(argb, 54, 0x0000FFFF));
    add("bmp 32 run-length", patched(argb, 30, 1));
    Bytes jpg = WriteJpg(Quadrants(8));
    add("jpg cut", Bytes(jpg.begin(), jpg.begin() + jpg.size() / 3));
    add("jpg header only", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16});
    return files;
}

TEST(ImageDecoder, RefusesBadFiles)
{
    for (const BadFile& file : BadFiles())
        EXPECT_FALSE(DecodeImageFile(file.bytes.data(), file.bytes.size()).has_value()) << file.name;
    EXPECT_FALSE(DecodeImageFile(nullptr, 10).has_value());
}

TEST(MipChain, HalvingAveragesAndStopsAtOne)
{
    const DecodedImage source = MakeFlatImage(2, 1, [](unsigned x, unsigned) { return x ? 0xFF0000FFu : 0x01FF0001u; });
    const ImageLevel half = HalveLevel(source.Top());
    EXPECT_EQ(half.width, 1u);
    EXPECT_EQ(half.height, 1u);
    EXPECT_EQ(half.texels[0], 0x80800080u);
    EXPECT_EQ(FullMipChainLength(8, 2), 4u);
    EXPECT_EQ(FullMipChainLength(1, 1), 1u);
    EXPECT_EQ(FullMipChainLength(4, 4, 16), 5u);

    DecodedImage image = Quadrants(8);
    ResizeMipChain(image, 2);
    EXPECT_EQ(image.LevelCount(), 2u);
    ResizeMipChain(image, 1);
    EXPECT_EQ(image.LevelCount(), 1u);
}

} // namespace
