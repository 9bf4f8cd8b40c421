#pragma once

class CMenuData;

// The menu tree the program shows now. The program owns it: loading the stored
// menu and a successful update replace it as a whole, shut-down deletes it.
// Never null once start-up has created the first, empty tree.
extern CMenuData* g_pMenuData;
