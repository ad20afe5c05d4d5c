#pragma once
// The module object of the test control module.
#include "com/ComModule.h"

extern CComModule g_module;
