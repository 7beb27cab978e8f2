#pragma once

// Replaces every "\" by "/" in place; returns the length.
int BackslashToSlash(char* text);
// 1 when both strings have the same bytes (case-sensitive), else 0.
int StrEqual(const char* a, const char* b);
