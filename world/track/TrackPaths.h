#pragma once
// The description files the track builder places: the piece kinds, the structure rows, the
// start structures and the decors.

// Piece kind k: its description path (the location folder is always 01).
const char* PieceKindFile(int kind);
// Structure rows 0-9 (roadside structures and info panels).
const char* StructureFile(int row);

constexpr const char* START_STRUCTURE_FILE = "Data/Static/Structures/01/Start.obj";
constexpr const char* LIGHTS_FRAME_FILE = "Data/Static/Structures/01/LightsFrame.obj";
constexpr const char* DECOR_BOX_FILE = "Data/Static/Decors/Boxes/Main01.obj";
constexpr const char* DECOR_SIGN_FILE = "Data/Static/Decors/Signs/Main01.obj";
constexpr const char* INFO_SCREEN_PATTERN = "Data/Misc/InfoScreens/InfoScreens%02d.jpg";
