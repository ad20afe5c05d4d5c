#include "com/ConnectionPoint.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr IID IID_ITestEvents = {0x2C1A9F10, 0x44D3, 0x4E6B, {0x8A, 0x11, 0x3F, 0x52, 0x6C, 0x7D, 0x90, 0xAB}};

// Records every event it receives into a shared log, as "<name>:<id>:<args>".
class CRecordingSink final : public IDispatch {
public:
    CRecordingSink(std::string name, std::vector<std::string>& log, bool answersEventIid = true)
        : m_name(std::move(name)), m_log(log), m_answersEventIid(answersEventIid)
    {
    }

    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || (m_answersEventIid && riid == IID_ITestEvents)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override { return --m_refs; }  // lives on the test's stack
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        std::string entry = m_name + ":" + std::to_string(id) + ":";
        if (flags != DISPATCH_METHOD) entry += "not-a-method";
        for (UINT i = 0; i < params->cArgs; ++i) {
            const VARIANT& v = params->rgvarg[i];
            entry += v.vt == VT_I2 ? std::to_string(v.iVal) : v.vt == VT_BSTR ? "text" : "?";
            entry += ",";
        }
        m_log.push_back(entry);
        if (m_onInvoke) m_onInvoke();
        return S_OK;
    }

    ULONG m_refs = 0;
    std::function<void()> m_onInvoke;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
    bool m_answersEventIid;
};

// Answers neither the event interface nor IDispatch.
class CDeafSink final : public IUnknown {
public:
    HRESULT QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
};

class ConnectionPointTest : public ::testing::Test {
protected:
    ~ConnectionPointTest() override
    {
        m_point->Close();
        m_point->Release();
    }

    std::vector<std::string> m_log;
    // Outlive the point, which releases them when it closes.
    CRecordingSink first{"a", m_log}, second{"b", m_log}, third{"c", m_log};
    CRecordingSink dispatchOnly{"d", m_log, false};
    CConnectionPoint* m_point = new CConnectionPoint(nullptr, IID_ITestEvents);
};

TEST_F(ConnectionPointTest, CookiesCountUpFromOneAndUnadviseChecksThem)
{
    DWORD cookieA = 0, cookieB = 0;
    ASSERT_EQ(m_point->Advise(&first, &cookieA), S_OK);
    ASSERT_EQ(m_point->Advise(&dispatchOnly, &cookieB), S_OK);  // through IDispatch
    EXPECT_EQ(cookieA, 1u);
    EXPECT_EQ(cookieB, 2u);
    EXPECT_EQ(first.m_refs, 1u);

    CDeafSink deaf;
    DWORD cookie = 99;
    EXPECT_EQ(m_point->Advise(&deaf, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);

    EXPECT_EQ(m_point->Unadvise(0), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(m_point->Unadvise(3), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(m_point->Unadvise(cookieA), S_OK);
    EXPECT_EQ(first.m_refs, 0u);
    EXPECT_EQ(m_point->Unadvise(cookieA), CONNECT_E_NOCONNECTION);

    // A cookie once given is never given again.
    ASSERT_EQ(m_point->Advise(&first, &cookieA), S_OK);
    EXPECT_EQ(cookieA, 3u);

    IID iid{};
    ASSERT_EQ(m_point->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, IID_ITestEvents);
}

TEST_F(ConnectionPointTest, FireCallsEverySinkInOrderWithArgumentsReversed)
{
    DWORD cookie = 0;
    m_point->Advise(&first, &cookie);
    m_point->Advise(&second, &cookie);

    m_point->Fire(7, {CComVariant::I2(1), CComVariant::I2(2), CComVariant::Text(u"x")});
    m_point->Fire(8, {});
    // rgvarg holds the last argument first.
    EXPECT_EQ(m_log, (std::vector<std::string>{"a:7:text,2,1,", "b:7:text,2,1,", "a:8:", "b:8:"}));
}

TEST_F(ConnectionPointTest, SinkUnadvisingDuringFireIsSafe)
{
    DWORD cookieA = 0, cookieB = 0, cookieC = 0;
    m_point->Advise(&first, &cookieA);
    m_point->Advise(&second, &cookieB);
    m_point->Advise(&third, &cookieC);
    // The first sink, on hearing the event, disconnects itself and the next.
    first.m_onInvoke = [&] {
        m_point->Unadvise(cookieA);
        m_point->Unadvise(cookieB);
    };

    m_point->Fire(1, {CComVariant::I2(5)});
    EXPECT_EQ(m_log, (std::vector<std::string>{"a:1:5,", "c:1:5,"}));
    EXPECT_EQ(m_point->SinkCount(), 1u);
    EXPECT_EQ(first.m_refs, 0u);
    EXPECT_EQ(second.m_refs, 0u);
}

} // namespace
