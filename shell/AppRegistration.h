#pragma once
// The program's own registration: the class "thebrainwheel.Application",
// served by this program (LocalServer32), and its type library, both from
// the scripts the program carries ("REGISTRY" 1 and "TYPELIB" 1). A
// registration that changes nothing leaves the registry file untouched.
#include "com/ComTypes.h"

// Registers the class, then the type library; stops at the first failure.
HRESULT RegisterApplication();
// Removes the type library, then the class; keys of other programs stay.
HRESULT UnregisterApplication();
