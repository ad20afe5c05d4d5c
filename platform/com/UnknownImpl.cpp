#include "com/UnknownImpl.h"

HRESULT QueryInterfaceTable(const InterfaceEntry* entries, int count, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (count <= 0) return E_NOINTERFACE;
    IUnknown* found = nullptr;
    if (riid == IID_IUnknown) found = entries[0].itf;
    for (int i = 0; !found && i < count; ++i)
        if (*entries[i].iid == riid) found = entries[i].itf;
    if (!found) return E_NOINTERFACE;
    found->AddRef();
    *object = found;
    return S_OK;
}
