#include "world/LocationFile.h"

#include <cstdlib>
#include <cstring>

#include "engine/FileSystem.h"
#include "engine/VectorHelpers.h"

namespace {

constexpr int LABEL_WIDTH = 32;
constexpr int SHORT_FIELD = 3;
constexpr int VECTOR_FIELD = 8;
constexpr int REST_OF_LINE = 98;
constexpr float BYTE_TO_UNIT = 0.003921569f;
constexpr const char* LIST_END = "//--";

float Number(const char* text)
{
    return static_cast<float>(std::atof(text));
}

} // namespace

void LocationFileReader::ReadField(char* buffer, int width)
{
    fileSystem.ReadLine(buffer, width + 1, handle);
}

void LocationFileReader::SkipLines(int count)
{
    char line[256];
    for (int i = 0; i < count; ++i)
        fileSystem.ReadLine(line, sizeof line, handle);
}

void LocationFileReader::SkipLabel()
{
    char label[LABEL_WIDTH + 1];
    ReadField(label, LABEL_WIDTH);
}

D3DXVECTOR4 LocationFileReader::ReadColour()
{
    char red[SHORT_FIELD + 1], green[SHORT_FIELD + 1], blue[REST_OF_LINE + 1], separator[2];
    SkipLabel();
    ReadField(red, SHORT_FIELD);
    ReadField(separator, 1);
    ReadField(green, SHORT_FIELD);
    ReadField(separator, 1);
    ReadField(blue, REST_OF_LINE);
    return D3DXVECTOR4(std::atoi(red) * BYTE_TO_UNIT, std::atoi(green) * BYTE_TO_UNIT, std::atoi(blue) * BYTE_TO_UNIT,
                       1.0f);
}

D3DXVECTOR3 LocationFileReader::ReadDirection()
{
    char x[SHORT_FIELD + 1], y[SHORT_FIELD + 1], z[REST_OF_LINE + 1], separator[2];
    SkipLabel();
    ReadField(x, SHORT_FIELD);
    ReadField(separator, 1);
    ReadField(y, SHORT_FIELD);
    ReadField(separator, 1);
    ReadField(z, REST_OF_LINE);
    D3DXVECTOR3 direction;
    Vec3Normalize(direction, D3DXVECTOR3(Number(x), Number(y), Number(z)));
    return direction;
}

D3DXVECTOR3 LocationFileReader::ReadVector()
{
    char x[VECTOR_FIELD + 1], y[VECTOR_FIELD + 1], z[REST_OF_LINE + 1], separator[2];
    SkipLabel();
    ReadField(x, VECTOR_FIELD);
    ReadField(separator, 1);
    ReadField(y, VECTOR_FIELD);
    ReadField(separator, 1);
    ReadField(z, REST_OF_LINE);
    return D3DXVECTOR3(Number(x), Number(y), Number(z));
}

bool LocationFileReader::ReadObjectRecord(LocationObjectRecord* record)
{
    char label[LABEL_WIDTH + 1];
    ReadField(label, LABEL_WIDTH);
    // A short "//--" line ends within the label, which then took its line end.
    if (std::strstr(label, LIST_END))
        return false;
    ReadField(record->file, LOCATION_NAME_SIZE - 1);
    if (std::strstr(record->file, LIST_END) || (label[0] == '\0' && record->file[0] == '\0'))
        return false;
    record->position = ReadVector();
    record->target = ReadVector();
    Vec3Normalize(record->up, ReadVector());
    SkipLines(1);
    return true;
}
