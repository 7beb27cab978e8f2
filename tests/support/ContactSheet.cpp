#include "tests/support/ContactSheet.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace {

constexpr int SCALE = 2;
constexpr int GAP = 4;

// ARGB to the RGB bytes the PNG writer takes.
void PutRgb(std::uint8_t* out, D3DCOLOR colour)
{
    out[0] = static_cast<std::uint8_t>(colour >> 16);
    out[1] = static_cast<std::uint8_t>(colour >> 8);
    out[2] = static_cast<std::uint8_t>(colour);
}

bool WritePng(const std::string& path, const std::vector<std::uint8_t>& rgb, int width, int height)
{
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

struct Picture {
    std::vector<std::uint8_t> rgb;
    int width = 0, height = 0;
};

// The folder's PNGs but the one named, in name order; a file still being written is passed over.
std::vector<Picture> ReadPictures(const std::filesystem::path& folder, const std::filesystem::path& except)
{
    std::vector<std::filesystem::path> paths;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".png" && entry.path() != except)
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    std::vector<Picture> pictures;
    for (const auto& path : paths) {
        Picture picture;
        int channels = 0;
        const std::unique_ptr<stbi_uc, void (*)(void*)> data(
            stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 3), stbi_image_free);
        if (!data)
            continue;
        picture.rgb.assign(data.get(), data.get() + std::size_t(picture.width) * picture.height * 3);
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

} // namespace

ContactSheet::ContactSheet(std::string folder) : folder_(std::move(folder))
{
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
}

void ContactSheet::Add(const std::string& name, const std::vector<D3DCOLOR>& pixels, int width, int height) const
{
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < pixels.size() && i * 3 < rgb.size(); ++i)
        PutRgb(&rgb[i * 3], pixels[i]);
    WritePng(folder_ + "/" + name + ".png", rgb, width, height);
}

bool ContactSheet::Write(const std::string& sheetName, int columns) const
{
    const std::string sheetPath = folder_ + "/" + sheetName + ".png";
    const std::vector<Picture> pictures = ReadPictures(folder_, sheetPath);
    if (pictures.empty() || columns < 1)
        return false;
    int cellWidth = 0, cellHeight = 0;
    for (const Picture& picture : pictures) {
        cellWidth = std::max(cellWidth, picture.width * SCALE);
        cellHeight = std::max(cellHeight, picture.height * SCALE);
    }
    const int count = static_cast<int>(pictures.size());
    const int rows = (count + columns - 1) / columns;
    const int sheetColumns = std::min(columns, count);
    const int width = sheetColumns * (cellWidth + GAP) + GAP;
    const int height = rows * (cellHeight + GAP) + GAP;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3, 64);
    for (int index = 0; index < count; ++index) {
        const Picture& picture = pictures[index];
        const int left = GAP + (index % columns) * (cellWidth + GAP);
        const int top = GAP + (index / columns) * (cellHeight + GAP);
        for (int y = 0; y < picture.height * SCALE; ++y)
            for (int x = 0; x < picture.width * SCALE; ++x) {
                const std::uint8_t* from = &picture.rgb[(std::size_t(y / SCALE) * picture.width + x / SCALE) * 3];
                std::copy(from, from + 3, &rgb[(static_cast<std::size_t>(top + y) * width + left + x) * 3]);
            }
    }
    return WritePng(sheetPath, rgb, width, height);
}

