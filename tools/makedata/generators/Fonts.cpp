// The three bitmap fonts, baked from the DejaVu faces: the debug overlay's plain face, the
// menu's and the head-up display's bold faces. The menu and the HUD draw with a letter spacing
// of minus a tenth of the widest glyph, so their glyphs carry that much room as margins.
#include <string>
#include <utility>

#include "tools/makedata/FontBaker.h"
#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"

namespace {

struct FontFolder {
    const char* folder;
    const char* face;
    unsigned pixelSize;
    unsigned margin;
};

#define DEJAVU_FOLDER "/usr/share/fonts/truetype/dejavu/"

const FontFolder fontFolders[] = {
    {"Data/Interface/Fonts/Arial.18", DEJAVU_FOLDER "DejaVuSans.ttf", 18, 0},
    {"Data/Interface/Fonts/Menu 01", DEJAVU_FOLDER "DejaVuSans-Bold.ttf", 36, 2},
    {"Data/Interface/Fonts/Game 01", DEJAVU_FOLDER "DejaVuSans-Bold.ttf", 32, 2},
};

void GenerateFonts(AssetSink& sink)
{
    for (const FontFolder& font : fontFolders) {
        BakedFont baked = BakeFont({font.face, font.pixelSize, font.margin, PrintableAscii()});
        const std::string folder = font.folder;
        const DecodedImage texture =
            MakeFlatImage(baked.side, baked.side, [&](unsigned x, unsigned y) { return baked.texels[y * baked.side + x]; });
        // The character list and the mask are read from the World pack, the texture through
        // the texture table from the Textures pack.
        sink.Add(folder + "/Main.dds", Pack::Textures, WriteDds(texture, DdsFormat::A8R8G8B8));
        sink.Add(folder + "/Main.dat", Pack::World, std::move(baked.chars));
        sink.Add(folder + "/Mask.dat", Pack::World, std::move(baked.mask));
    }
}

} // namespace

static const GeneratorRegistration registration("fonts", GenerateFonts);
