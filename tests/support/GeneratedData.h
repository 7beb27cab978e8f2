#pragma once
// The data builder's files written as loose files under the working folder, for tests that read
// the game's data with the packs off.
#include <initializer_list>

// Runs the named generators ("platforms", "fonts", ...) into the working folder.
void WriteGeneratedData(std::initializer_list<const char*> generators);
