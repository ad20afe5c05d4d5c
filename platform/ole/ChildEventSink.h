#pragma once
// CChildEventSink: the sink a composite control connects to the event
// interface of one of its children. It hands every event to the handler it
// was given until it is disconnected; it holds no reference to the
// composite, so that a child's connection point never keeps its parent alive.
#include "com/UnknownImpl.h"

#include <functional>

class CChildEventSink final : public IDispatch {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_IDispatch, static_cast<IDispatch*>(this)})

public:
    using Handler = std::function<HRESULT(DISPID event, DISPPARAMS* params)>;

    explicit CChildEventSink(Handler handler) : m_handler(std::move(handler)) {}
    // Events arriving later are ignored.
    void Disconnect() { m_handler = nullptr; }

    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override;

private:
    ~CChildEventSink() = default;

    Handler m_handler;
};
