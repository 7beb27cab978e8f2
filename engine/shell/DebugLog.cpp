#include "engine/shell/DebugLog.h"

#include <cstdio>
#include <cstring>

#include "engine/shell/GameSettings.h"

namespace {

constexpr std::size_t LINE_LIMIT = 2047;
constexpr const char* LOG_FILE = "debug.txt";

void AppendLine(const char* text)
{
    std::FILE* file = std::fopen(LOG_FILE, "a");
    if (!file)
        return;
    char line[LINE_LIMIT + 1];
    std::snprintf(line, sizeof line, "%.*s\n", static_cast<int>(LINE_LIMIT - 1), text);
    std::fputs(line, file);
    std::fclose(file);
}

void EmptyLog()
{
    if (std::FILE* file = std::fopen(LOG_FILE, "w"))
        std::fclose(file);
}

} // namespace

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"

void DebugOut(const char* format, const int* a, const int* b)
{
    if (!GameSettings[SLOT_DEBUG_LOG])
        return;
    if (!format) {
        EmptyLog();
        return;
    }
    char text[LINE_LIMIT + 1];
    if (a && b)
        std::snprintf(text, sizeof text, format, *a, *b);
    else if (a)
        std::snprintf(text, sizeof text, format, *a);
    else
        std::snprintf(text, sizeof text, "%s", format);
    AppendLine(text);
}

void DebugOutStr(const char* format, const char* text, int value)
{
    if (!GameSettings[SLOT_DEBUG_LOG] || !format)
        return;
    char line[LINE_LIMIT + 1];
    if (!text)
        std::snprintf(line, sizeof line, "%s", format);
    else if (value != 0)
        std::snprintf(line, sizeof line, format, text, value);
    else
        std::snprintf(line, sizeof line, format, text);
    AppendLine(line);
}

#pragma GCC diagnostic pop
