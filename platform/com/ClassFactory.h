#pragma once
// CClassFactory: the class factory a module hands out from DllGetClassObject
// for one of its classes. It makes objects with the creator it was given,
// refuses aggregation, and keeps the module loaded while it lives or is
// locked.
#include "com/ComModule.h"
#include "com/UnknownImpl.h"

#include <functional>

class CClassFactory final : public IClassFactory {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_IClassFactory, static_cast<IClassFactory*>(this)})

public:
    // Makes a new object and queries it for riid, as CreateInstance does.
    using Creator = std::function<HRESULT(REFIID riid, void** object)>;

    CClassFactory(CComModule& module, Creator creator);

    // What a module's DllGetClassObject hands out for a class: a new factory
    // with the creator, queried for riid.
    static HRESULT Serve(CComModule& module, Creator creator, REFIID riid, void** object);

    // A creator that throws reports E_OUTOFMEMORY or E_UNEXPECTED instead.
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT LockServer(BOOL lock) override;

private:
    ~CClassFactory() = default;

    CComModule& m_module;
    CComModule::ObjectLifetime m_lifetime;
    Creator m_creator;
};
