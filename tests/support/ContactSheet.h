#pragma once
// Pictures that tests save for a person to look at: each one as its own PNG and all of them
// side by side on one sheet, in the order they were added.
#include <string>
#include <vector>

#include "platform/gfx/D3D9.h"

class ContactSheet {
public:
    // folder: where the PNGs go (made when missing).
    explicit ContactSheet(std::string folder);

    // Keeps the picture (ARGB pixels, rows from the top) and writes it as <name>.png.
    void Add(const std::string& name, const std::vector<D3DCOLOR>& pixels, int width, int height);
    // Writes every picture so far, scaled by 2, in rows of `columns`, to <sheetName>.png; false
    // when there is nothing to write or the file cannot be written.
    bool Write(const std::string& sheetName, int columns) const;

private:
    struct Picture {
        std::string name;
        std::vector<D3DCOLOR> pixels;
        int width, height;
    };
    std::string folder_;
    std::vector<Picture> pictures_;
};
