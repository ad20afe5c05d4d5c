#pragma once
// A sink that writes down every event it is sent, with its arguments in
// their declared order, into a log it may share with other sinks.
#include "com/ComPtr.h"
#include "com/UnknownImpl.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

struct RecordedEvent {
    std::string sink;
    DISPID id;
    std::vector<VARTYPE> types;
    std::vector<LONG> values;  // each argument as a number
};

class CEventRecorder final : public IDispatch {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_IDispatch, static_cast<IDispatch*>(this)})

public:
    CEventRecorder(std::string name, std::vector<RecordedEvent>& log) : m_name(std::move(name)), m_log(log) {}

    // Runs after the event is written down.
    std::function<void()> onEvent;

    HRESULT GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        RecordedEvent event{m_name, member, {}, {}};
        EXPECT_EQ(flags, DISPATCH_METHOD);
        for (UINT i = params->cArgs; i-- > 0;) {
            const VARIANT& arg = params->rgvarg[i];
            event.types.push_back(arg.vt);
            event.values.push_back(arg.vt == VT_I2 ? arg.iVal : arg.vt == VT_I4 ? arg.lVal : -9999);
        }
        m_log.push_back(event);
        if (onEvent) onEvent();
        return S_OK;
    }

private:
    ~CEventRecorder() = default;

    std::string m_name;
    std::vector<RecordedEvent>& m_log;
};

// Connects `sink` to the event interface of `source`; returns the cookie.
inline DWORD Connect(IUnknown* source, REFIID eventIid, IDispatch* sink, CComPtr<IConnectionPoint>& point)
{
    CComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
    EXPECT_EQ(container->FindConnectionPoint(eventIid, &point), S_OK);
    DWORD cookie = 0;
    EXPECT_EQ(point->Advise(sink, &cookie), S_OK);
    return cookie;
}
