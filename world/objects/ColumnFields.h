#pragma once
// Numbers at fixed columns of the world's text lines (object descriptions, location files).
// Columns count from 1.
#include "platform/gfxx/D3DXMath.h"

// The decimal number in width columns from column (width 0: to the end of the line); 0 when the
// line is shorter or the field holds no number.
float ColumnNumber(const char* line, int column, int width);
// A real value at column 33 (after a 32-character label).
float RealValue(const char* line);
// Three fields after a 32-character label: columns 33-35, 37-39 and 41 to the end of the line.
D3DXVECTOR3 TripleValue(const char* line);
