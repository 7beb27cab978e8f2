#pragma once
// "debug.txt" in the working folder, written only while the debug log setting is on. Each call
// appends one line (at most 2047 characters with its newline) and closes the file again.

// a and b: null or pointers to the ints the format takes. A null format empties the log.
void DebugOut(const char* format, const int* a = nullptr, const int* b = nullptr);
// text: the string the format takes (null: the format alone); value: an int, 0 = not passed.
void DebugOutStr(const char* format, const char* text, int value = 0);
