#include "engine/helpers/StringHelpers.h"

#include <cstring>

int BackslashToSlash(char* text)
{
    int length = 0;
    for (; text[length]; ++length)
        if (text[length] == '\\')
            text[length] = '/';
    return length;
}

int StrEqual(const char* a, const char* b)
{
    return std::strcmp(a, b) == 0;
}
