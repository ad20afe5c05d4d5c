#include "ole/ControlHost.h"

#include "com/ComRuntime.h"
#include "ole/InitialProperties.h"
#include "ole/DialogTemplate.h"
#include "ole/Persist.h"

#include <QString>

std::string DescribeCreateFailure(const DialogItem& item, HRESULT hr)
{
    return QString("line %1: control %2 could not be made (0x%3)")
        .arg(item.line)
        .arg(item.id)
        .arg(static_cast<std::uint32_t>(hr), 8, 16, QChar('0'))
        .toStdString();
}

HRESULT CControlHost::Create(REFCLSID clsid, QWidget* parent, const QRect& rect, const std::vector<BYTE>* initData,
                             bool visible)
{
    if (m_control) return E_UNEXPECTED;
    CComPtr<IUnknown> control;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                        reinterpret_cast<void**>(&control));
    if (FAILED(hr)) return hr;
    return Attach(control, parent, rect, initData, visible);
}

HRESULT CControlHost::CreateFromItem(const DialogItem& item, QWidget* parent, const QRect& rect,
                                     const std::vector<BYTE>* savedData, std::vector<std::string>& faults)
{
    if (m_control) return E_UNEXPECTED;
    if (!item.HasInitialProperties()) return Create(item.clsid, parent, rect, savedData, item.visible);
    CComPtr<IUnknown> control;
    HRESULT hr = CoCreateInstance(item.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&control));
    if (FAILED(hr)) return hr;
    std::vector<BYTE> written;
    hr = CInitialProperties::Write(control, item, written, faults);
    if (FAILED(hr)) return hr;
    return Attach(control, parent, rect, &written, item.visible);
}

HRESULT CControlHost::Attach(IUnknown* control, QWidget* parent, const QRect& rect, const std::vector<BYTE>* initData,
                             bool visible)
{
    if (m_control) return E_UNEXPECTED;
    if (!control) return E_POINTER;
    CComPtr<IWindowedControl> windowed;
    HRESULT hr = control->QueryInterface(IID_IWindowedControl, reinterpret_cast<void**>(&windowed));
    if (FAILED(hr)) return hr;

    CComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
        if (initData) {
            CComPtr<IStream> stream;
            hr = CreateStreamOnMemory(*initData, &stream);
            if (SUCCEEDED(hr)) hr = persist->Load(stream);
        } else {
            hr = persist->InitNew();
        }
        if (FAILED(hr)) return hr;
    }

    hr = windowed->CreateControlWindow(parent, rect, visible ? TRUE : FALSE);
    if (FAILED(hr)) return hr;
    m_control = windowed;
    return S_OK;
}

void CControlHost::Close()
{
    if (CComPtr<IWindowedControl> control = std::move(m_control)) control->InPlaceDeactivate();
}

HRESULT CControlHost::QueryControl(REFIID riid, void** object) const
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!m_control) return E_NOINTERFACE;
    return m_control->QueryInterface(riid, object);
}

QWidget* CControlHost::Window() const
{
    QWidget* window = nullptr;
    if (m_control) m_control->GetWindow(&window);
    return window;
}
