// The game's main objects. The order of the definitions below is the order of construction.
#include "audio/AudioManager.h"

CAudioManager audioManager;
