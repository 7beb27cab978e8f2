#include "world/track/TrackPaths.h"

#include "world/track/Track.h"

namespace {

// Kinds 5 and 12 name the same piece; kinds 17 and 18 are the loops.
const char* const PIECE_FILES[TRACK_PIECE_KINDS] = {
    "Data/Static/Platforms/01/AH_000_1.obj", "Data/Static/Platforms/01/AD_020_1.obj",
    "Data/Static/Platforms/01/AU_020_1.obj", "Data/Static/Platforms/01/LH_090_1.obj",
    "Data/Static/Platforms/01/RH_090_1.obj", "Data/Static/Platforms/01/AH_020_1.obj",
    "Data/Static/Platforms/01/LH_180_1.obj", "Data/Static/Platforms/01/RH_180_1.obj",
    "Data/Static/Platforms/01/LD_090_1.obj", "Data/Static/Platforms/01/RD_090_1.obj",
    "Data/Static/Platforms/01/LU_090_1.obj", "Data/Static/Platforms/01/RU_090_1.obj",
    "Data/Static/Platforms/01/AH_020_1.obj", "Data/Static/Platforms/01/LD_180_1.obj",
    "Data/Static/Platforms/01/RD_180_1.obj", "Data/Static/Platforms/01/LU_180_1.obj",
    "Data/Static/Platforms/01/RU_180_1.obj", "Data/Static/Platforms/01/A1_360_1.obj",
    "Data/Static/Platforms/01/A2_360_1.obj",
};

// Rows 8 and 9 name the same panel.
const char* const STRUCTURE_FILES[TRACK_STRUCTURE_TEMPLATES] = {
    "Data/Static/Structures/01/Main01.obj", "Data/Static/Structures/01/Main02.obj",
    "Data/Static/Structures/01/Main03.obj", "Data/Static/Structures/01/Main04.obj",
    "Data/Static/Structures/01/Main05.obj", "Data/Static/Structures/01/Main06.obj",
    "Data/Static/Structures/01/Main07.obj", "Data/Static/Structures/01/Main08.obj",
    "Data/Static/Structures/01/InfoPanel.obj", "Data/Static/Structures/01/InfoPanel.obj",
};

} // namespace

const char* PieceKindFile(int kind) { return PIECE_FILES[kind]; }
const char* StructureFile(int row) { return STRUCTURE_FILES[row]; }
