#pragma once
// Writing the player's files under "Save" of the working folder so that a crash or a full disk
// never destroys what was saved before: the bytes go to a temporary file first, which then
// replaces the old file in one step.

// Creates "<working folder>/Save" when needed and writes the bytes to "Save/<fileName>";
// false when any step fails (the previous file is then unchanged).
bool WriteSaveFile(const char* fileName, const void* bytes, int size);
