#include "world/objects/ColumnFields.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

float ColumnNumber(const char* line, int column, int width)
{
    const std::size_t length = std::strlen(line);
    const auto start = static_cast<std::size_t>(column - 1);
    if (length <= start)
        return 0.0f;
    const std::size_t count = width > 0 ? static_cast<std::size_t>(width) : std::string::npos;
    const std::string field(line + start, std::min(count, length - start));
    return std::strtof(field.c_str(), nullptr);
}

float RealValue(const char* line) { return ColumnNumber(line, 33, 0); }

D3DXVECTOR3 TripleValue(const char* line)
{
    return D3DXVECTOR3(ColumnNumber(line, 33, 3), ColumnNumber(line, 37, 3), ColumnNumber(line, 41, 0));
}
