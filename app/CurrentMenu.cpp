#include "app/CurrentMenu.h"

CMenuData* g_pMenuData = nullptr;
