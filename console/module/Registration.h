#pragma once
// Writing the library into the registry and taking it out again.
#include "com/ComTypes.h"

// Registering runs the AppID script, then each class's script in table
// order, then registers the type library; unregistering runs the same steps
// in reverse. Returns the first failure.
HRESULT UpdatePlaydeckRegistry(bool registering);
