#pragma once

#include "tests/win32/CheckList.h"

// The groups of checks, each on services of its own.
void CheckHiddenWindow(CheckList& checks);
void CheckTimers(CheckList& checks);
void CheckMenus(CheckList& checks);
void CheckModalDialogs(CheckList& checks);
void CheckMessageBoxes(CheckList& checks);
void CheckProcessStart(CheckList& checks, const char* ownPath);

// The child mode of the program: writes a marker file and ends.
int RunAsChild(int argc, char** argv);
