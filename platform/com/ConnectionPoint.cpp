#include "com/ConnectionPoint.h"

#include <utility>

CConnectionPoint::CConnectionPoint(IConnectionPointContainer* container, REFIID eventIid)
    : m_container(container), m_eventIid(eventIid)
{
}

HRESULT CConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid) return E_POINTER;
    *iid = m_eventIid;
    return S_OK;
}

HRESULT CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container) return E_POINTER;
    *container = m_container;
    if (!m_container) return CONNECT_E_NOCONNECTION;
    m_container->AddRef();
    return S_OK;
}

HRESULT CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    // An event interface is a dispatch interface, so what the sink answers
    // for it can be called as an IDispatch.
    CComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(m_eventIid, reinterpret_cast<void**>(&dispatch))) &&
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
        return CONNECT_E_CANNOTCONNECT;
    if (m_nextCookie == 0) ++m_nextCookie;
    *cookie = m_nextCookie++;
    m_sinks.emplace(*cookie, std::move(dispatch));
    return S_OK;
}

HRESULT CConnectionPoint::Unadvise(DWORD cookie)
{
    const auto it = m_sinks.find(cookie);
    if (it == m_sinks.end()) return CONNECT_E_NOCONNECTION;
    // The sink may hold the last reference to whoever is calling; release it
    // only after it has left the table.
    CComPtr<IDispatch> sink = std::move(it->second);
    m_sinks.erase(it);
    return S_OK;
}

void CConnectionPoint::Fire(DISPID id, const std::vector<CComVariant>& argsInOrder)
{
    // A sink may unadvise, or release the object firing, from inside Invoke:
    // hold on to ourselves and to the sinks as they were when firing began.
    CComPtr<IConnectionPoint> self(this);
    const std::vector<std::pair<DWORD, CComPtr<IDispatch>>> sinks(m_sinks.begin(), m_sinks.end());
    std::vector<CComVariant> reversed(argsInOrder.rbegin(), argsInOrder.rend());
    for (const auto& [cookie, sink] : sinks) {
        if (!m_sinks.count(cookie)) continue;
        DISPPARAMS params;
        params.rgvarg = reversed.empty() ? nullptr : reversed.data();
        params.cArgs = static_cast<UINT>(reversed.size());
        sink->Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
}

void CConnectionPoint::Close()
{
    std::map<DWORD, CComPtr<IDispatch>> sinks;
    sinks.swap(m_sinks);
    m_container = nullptr;
}
