#include "PlaydeckGauges.h"

#include "com/ComRuntime.h"

#include <dlfcn.h>

namespace {

constexpr const char* kLibraryFile = "Playdeck.so";

} // namespace

CPlaydeckGauges::CPlaydeckGauges(const std::filesystem::path& folder)
{
    const std::filesystem::path path = folder / kLibraryFile;
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) m_error = dlerror();
}

CPlaydeckGauges::~CPlaydeckGauges()
{
    if (m_handle) dlclose(m_handle);
}

HMODULE CPlaydeckGauges::Module() const { return GetModuleHandleA(kLibraryFile); }

HRESULT CPlaydeckGauges::Register() const
{
    const auto registerServer = m_handle ? reinterpret_cast<HRESULT (*)()>(dlsym(m_handle, "DllRegisterServer")) : nullptr;
    return registerServer ? registerServer() : E_FAIL;
}

HRESULT CPlaydeckGauges::Create(REFCLSID clsid, REFIID riid, QWidget* parent, const QRect& rect, void** control,
                                QWidget** window) const
{
    *control = nullptr;
    *window = nullptr;
    const auto getClassObject =
        m_handle ? reinterpret_cast<PFN_DllGetClassObject>(dlsym(m_handle, "DllGetClassObject")) : nullptr;
    if (!getClassObject) return E_FAIL;
    CComPtr<IClassFactory> factory;
    HRESULT hr = getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    CComPtr<IWindowedControl> windowed;
    hr = factory->CreateInstance(nullptr, IID_IWindowedControl, reinterpret_cast<void**>(&windowed));
    if (SUCCEEDED(hr)) hr = windowed->CreateControlWindow(parent, rect, TRUE);
    if (SUCCEEDED(hr)) hr = windowed->GetWindow(window);
    if (SUCCEEDED(hr)) hr = windowed->QueryInterface(riid, control);
    return hr;
}
