#include "com/ClassFactory.h"

#include <new>
#include <utility>

CClassFactory::CClassFactory(CComModule& module, Creator creator)
    : m_module(module), m_lifetime(module), m_creator(std::move(creator))
{
}

HRESULT CClassFactory::Serve(CComModule& module, Creator creator, REFIID riid, void** object)
{
    return HandOutNewObject(new (std::nothrow) CClassFactory(module, std::move(creator)), riid, object);
}

HRESULT CClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
        return m_creator(riid, object);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT CClassFactory::LockServer(BOOL lock)
{
    if (lock) m_module.Lock();
    else m_module.Unlock();
    return S_OK;
}
