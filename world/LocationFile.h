#pragma once
// Reader of the fixed columns of a location file ("Data/Locations/%02d/LocationData.obj"), on a
// handle open in the file system. Each field is a read of its width from the current line: a read
// stops early at the line end (and then consumes it); otherwise the next read continues on the
// same line. Columns count from 1; columns 1-32 of every value line are a free label.
#include "platform/gfxx/D3DXMath.h"

constexpr int LOCATION_NAME_SIZE = 256;

struct LocationObjectRecord {
    char file[LOCATION_NAME_SIZE];
    D3DXVECTOR3 position;
    D3DXVECTOR3 target;
    // Normalised; a zero vector stays zero.
    D3DXVECTOR3 up;
};

class LocationFileReader {
public:
    explicit LocationFileReader(int handle) : handle(handle) {}

    void SkipLines(int count);
    // Red in columns 33-35, green in 37-39, blue from 41: 0-255 each, as 0-1 with alpha 1.
    D3DXVECTOR4 ReadColour();
    // x in columns 33-35, y in 37-39, z from 41, normalised.
    D3DXVECTOR3 ReadDirection();
    // The next five-line record: the file name from column 33, then position, target and up
    // with x in columns 33-40, y in 42-49 and z from 51, then a free line. False at the end of
    // the list: a name line that contains "//--", or the end of the data (an empty name line).
    bool ReadObjectRecord(LocationObjectRecord* record);

private:
    // The next width characters of the current line, or up to its end.
    void ReadField(char* buffer, int width);
    void SkipLabel();
    D3DXVECTOR3 ReadVector();

    int handle;
};
