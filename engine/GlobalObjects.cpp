// The game's main objects. The order of the definitions below is the order of construction.
#include "audio/AudioManager.h"
#include "engine/D3DRender.h"
#include "engine/LightManager.h"
#include "frontend/Background.h"
#include "frontend/GameMenu.h"
#include "frontend/MenuText.h"
#include "world/CollisionQuery.h"
#include "world/Environment.h"
#include "world/FlameSystem.h"
#include "world/ObjectManager.h"
#include "world/Track.h"
#include "world/World.h"

CD3DRender d3dRender;
CMenuText menuText;
CAudioManager audioManager;
CLightManager lightManager;
CEnvironment environment;
CCollisionQuery collisionQuery;
CWorld world;
CObjectManager objectManager;
CTrack track;
CFlameSystem flameSystem;
CBackground background;
CGameMenu gameMenu;
