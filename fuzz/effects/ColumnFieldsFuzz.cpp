// Fixed-column numbers from arbitrary lines as the line reader hands them over (at most 254
// characters, no terminator inside): no read outside the line, whatever its length or content.
#include <cstdint>
#include <cstring>

#include "world/objects/ColumnFields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    char line[255];
    const std::size_t length = size < sizeof line - 1 ? size : sizeof line - 1;
    std::memcpy(line, data, length);
    line[length] = '\0';
    volatile float sink = RealValue(line);
    const D3DXVECTOR3 triple = TripleValue(line);
    sink = triple.x + triple.y + triple.z;
    for (int column = 1; column <= 260; column += 37)
        sink = ColumnNumber(line, column, column % 5);
    static_cast<void>(sink);
    return 0;
}
