#pragma once
// Replacing a file's whole content so that a failed write (a full disk, a size limit, a crash)
// never leaves it cut short or empty: the bytes go to "<name>.tmp" in the same folder, which
// then takes the file's name in one step.
#include <cstddef>

#include "platform/win/WinTypes.h"

// What a symbolic link of the file's name gets.
enum class LinkWrite {
    REPLACE_LINK,  // a file of its own takes the link's place (stores that must not reach out)
    WRITE_THROUGH, // the link stays and its target is replaced; a link that leads nowhere fails
};

// Writes the bytes as the new content of the file ("\" or "/" separators). False when any step
// fails: the file is then as it was, and no temporary file is left. An existing file keeps its
// permission bits, and one that may not be written is left alone.
bool ReplaceFileContents(LPCSTR fileName, const void* bytes, std::size_t size, LinkWrite links);
