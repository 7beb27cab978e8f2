#pragma once
// The folder of the volatile registry: private to the player and emptied when the machine
// restarts. It is "vestrune-registry" in $XDG_RUNTIME_DIR, else in $XDG_STATE_HOME (by default
// ~/.local/state). The folder is created with mode 0700 and used only while it is a real folder
// (not a link) owned by the player that nobody else may write to. It holds the boot id of the
// system it was last used under; a different boot id means the machine restarted, and the folder
// is emptied.
#include <filesystem>
#include <optional>

// The folder, ready for use; nothing (and a line on stderr) when it cannot be made or fails the
// check.
std::optional<std::filesystem::path> VolatileStoreFolder();

// Creates each missing folder of the path with mode 0700; false when one cannot be made.
bool CreatePrivateFolders(const std::filesystem::path& folder);
