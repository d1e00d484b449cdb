#pragma once
// <windows.h> as this layer uses it. The header maps MessageBox to MessageBoxA, which would
// rename WindowSystem::MessageBox wherever both are seen; the A functions are called by name.
#include <windows.h>

#undef MessageBox
