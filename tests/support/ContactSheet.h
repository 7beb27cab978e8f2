#pragma once
// Pictures that tests save for a person to look at: each one as its own PNG in a folder, and a
// sheet of every picture in that folder side by side. ctest runs each test in a process of its
// own, so the sheet is made from the files, whichever process writes it last.
#include <string>
#include <vector>

#include "platform/gfx/D3D9.h"

class ContactSheet {
public:
    // folder: where the PNGs go (made when missing).
    explicit ContactSheet(std::string folder);

    // Writes the picture (ARGB pixels, rows from the top) as <name>.png.
    void Add(const std::string& name, const std::vector<D3DCOLOR>& pixels, int width, int height) const;
    // Writes every other PNG of the folder, in name order, scaled by 2, in rows of `columns`, to
    // <sheetName>.png; false when there is nothing to write or the file cannot be written.
    bool Write(const std::string& sheetName, int columns) const;

private:
    std::string folder_;
};
