#include "generation/fontengine.h"
#include "generation/generate.h"

bool GENERATE_IsFaceInstalled(const char* pFaceName) { return ENGINE_FaceExists(pFaceName); }
