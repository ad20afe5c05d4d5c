#pragma once
// CConnectionPoint: the connection point of one event interface. Sinks are
// held by cookie; Fire calls every sink's Invoke in turn, synchronously, in
// the order they were advised.
#include "com/ComPtr.h"
#include "com/UnknownImpl.h"

#include <map>
#include <vector>

class CConnectionPoint final : public IConnectionPoint {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_IConnectionPoint, static_cast<IConnectionPoint*>(this)})

public:
    // `container` is the object that hands this point out; it is not counted
    // (it owns the point) and must call Close before it goes away.
    CConnectionPoint(IConnectionPointContainer* container, REFIID eventIid);

    HRESULT GetConnectionInterface(IID* iid) override;
    // CONNECT_E_NOCONNECTION once the container has closed the point.
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) override;
    // The sink must answer the event interface or, failing that, IDispatch
    // (CONNECT_E_CANNOTCONNECT otherwise). Cookies count up from 1.
    HRESULT Advise(IUnknown* sink, DWORD* cookie) override;
    // CONNECT_E_NOCONNECTION for a cookie that is not advised.
    HRESULT Unadvise(DWORD cookie) override;

    // Calls Invoke(id, DISPATCH_METHOD) on each sink with the arguments given
    // in their declared order. A sink unadvised while the event is under way
    // (by itself or another sink) is not called any more. Sinks' failures are
    // not reported: an event has no one to answer to.
    void Fire(DISPID id, const std::vector<CComVariant>& argsInOrder);
    size_t SinkCount() const { return m_sinks.size(); }
    // Releases every sink and forgets the container.
    void Close();

private:
    ~CConnectionPoint() = default;

    IConnectionPointContainer* m_container;
    IID m_eventIid;
    DWORD m_nextCookie = 1;
    std::map<DWORD, CComPtr<IDispatch>> m_sinks;
};
