#include "AutomationServer.h"
#include "GameApp.h"
#include "ShellMessages.h"
#include "ShellTestFixture.h"
#include "com/ComPtr.h"
#include "com/ComRuntime.h"
#include "thebrainwheelDlg.h"
#include "thebrainwheelDlgAutoProxy.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <cstdlib>
#include <fstream>
#include <tuple>
#include <vector>

namespace {

using PostedMessage = std::tuple<unsigned, WPARAM, LPARAM>;

// Takes the private messages posted to a window before the window sees them.
class CMessageRecorder final : public QObject {
public:
    explicit CMessageRecorder(QObject* window) : m_window(window) { window->installEventFilter(this); }
    std::vector<PostedMessage> Take()
    {
        QCoreApplication::sendPostedEvents(m_window, CControlMessageEvent::EventType());
        return std::exchange(m_messages, {});
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != CControlMessageEvent::EventType()) return false;
        const auto* posted = static_cast<CControlMessageEvent*>(event);
        m_messages.emplace_back(posted->Message(), posted->WParam(), posted->LParam());
        return true;
    }

private:
    QObject* m_window;
    std::vector<PostedMessage> m_messages;
};

HRESULT Fire(IDispatch* sink, DISPID event, const CComVariant& argument)
{
    VARIANT args[] = {argument};
    DISPPARAMS params{args, nullptr, 1, 0};
    return sink->Invoke(event, IID_IDispatch /* unused */, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

TEST(AutoProxy, PassesTheConsolesEventsToItsWindowWhileBound)
{
    CthebrainwheelDlg dialog;
    CMessageRecorder recorder(&dialog);
    const LONG locks = CGameApp::Module().LockCount();
    auto* proxy = new CthebrainwheelDlgAutoProxy(&dialog);
    EXPECT_EQ(dialog.m_pAutoProxy, proxy);
    EXPECT_EQ(CGameApp::Module().LockCount(), locks + 1);

    CComPtr<IDispatch> sink;
    ASSERT_EQ(proxy->QueryInterface(DIID__IGameConsoleEvents, reinterpret_cast<void**>(&sink)), S_OK);
    EXPECT_EQ(Fire(sink, 1, CComVariant::Bool(true)), S_OK);
    EXPECT_EQ(Fire(sink, 1, CComVariant::I2(0)), S_OK);
    EXPECT_EQ(Fire(sink, 2, CComVariant::I2(-5)), S_OK);
    EXPECT_EQ(Fire(sink, 2, CComVariant::I2(80)), S_OK);
    EXPECT_EQ(Fire(sink, 3, CComVariant::I2(1)), DISP_E_MEMBERNOTFOUND);
    const std::vector<PostedMessage> expected = {
        {1029, static_cast<WPARAM>(-1L), 0}, {1029, 0, 0}, {1028, static_cast<WPARAM>(-5L), 0}, {1028, 80, 0}};
    EXPECT_EQ(recorder.Take(), expected);

    std::u16string names[] = {u"onanswered", u"OnGameOver", u"Score"};
    LPOLESTR pointers[] = {names[0].data(), names[1].data(), names[2].data()};
    DISPID ids[3] = {};
    EXPECT_EQ(sink->GetIDsOfNames(IID_IDispatch, pointers, 3, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(std::vector<DISPID>(ids, ids + 3), std::vector<DISPID>({1, 2, DISPID_UNKNOWN}));

    proxy->Unbind();
    EXPECT_EQ(dialog.m_pAutoProxy, nullptr);
    EXPECT_EQ(Fire(sink, 1, CComVariant::I2(1)), S_OK);
    EXPECT_TRUE(recorder.Take().empty());
    sink.Release();
    proxy->Release();
    EXPECT_EQ(CGameApp::Module().LockCount(), locks);
}

TEST(AutoProxy, TheClassObjectMakesAnObjectWithNoMembersBoundToTheMainWindowIfAny)
{
    CComPtr<IClassFactory> factory;
    ASSERT_EQ(CthebrainwheelDlgAutoProxy::GetClassObject(IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    const LONG locks = CGameApp::Module().LockCount();
    CComPtr<IDispatch> application;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_Ithebrainwheel, reinterpret_cast<void**>(&application)), S_OK);
    EXPECT_EQ(static_cast<CthebrainwheelDlgAutoProxy*>(application.get())->m_pDialog, nullptr);
    EXPECT_EQ(CGameApp::Module().LockCount(), locks + 1);

    CComPtr<ITypeInfo> info;
    ASSERT_EQ(application->GetTypeInfo(0, 0, &info), S_OK);
    GUID guid{};
    UINT members = 99;
    EXPECT_TRUE(info->GetGuid(&guid) == S_OK && guid == IID_Ithebrainwheel);
    EXPECT_TRUE(info->GetMemberCount(&members) == S_OK && members == 0);
    EXPECT_EQ(Fire(application, 1, CComVariant::I2(1)), S_OK);
    application.Release();
    EXPECT_EQ(CGameApp::Module().LockCount(), locks);

    // With a main window it posts there, and forgets the window once it is
    // gone; the window's own sink stays the window's.
    CGameApp app;
    auto* dialog = new CthebrainwheelDlg;
    CMessageRecorder recorder(dialog);
    app.m_pMainWnd = dialog;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&application)), S_OK);
    EXPECT_EQ(dialog->m_pAutoProxy, nullptr);
    EXPECT_EQ(Fire(application, 2, CComVariant::I2(3)), S_OK);
    EXPECT_EQ(recorder.Take(), std::vector<PostedMessage>({{1028, 3, 0}}));
    delete dialog;
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(static_cast<CthebrainwheelDlgAutoProxy*>(application.get())->m_pDialog, nullptr);
    EXPECT_EQ(Fire(application, 2, CComVariant::I2(3)), S_OK);
}

class AutomationMode : public testing::Test {
protected:
    int RunServer()
    {
        char program[] = "thebrainwheel", option[] = "-Embedding", *argv[] = {program, option, nullptr};
        return m_app.Run(2, argv);
    }

    TestEnvironment m_env;
    ManualTimers m_timers;
    CGameApp m_app;
};

TEST_F(AutomationMode, EndsWhenIdleWithNoWindow)
{
    bool servingBeforeTimeout = false;
    QTimer almost, timeout;
    almost.setSingleShot(true);
    timeout.setSingleShot(true);
    QObject::connect(&almost, &QTimer::timeout, [&] {
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
        m_timers.Advance(CAutomationServer::kIdleTimeoutMs - 1);
        timeout.start(0);
    });
    QObject::connect(&timeout, &QTimer::timeout, [&] {
        servingBeforeTimeout = true;
        m_timers.Advance(1);
    });
    almost.start(0);
    EXPECT_EQ(RunServer(), EXIT_SUCCESS);
    EXPECT_TRUE(servingBeforeTimeout);
}

TEST_F(AutomationMode, ServesWhileAnObjectLivesAndEndsAtItsRelease)
{
    IDispatch* application = nullptr;
    bool servedPastTimeout = false, endedByRelease = true;
    QTimer create, release, guard;
    for (QTimer* timer : {&create, &release, &guard}) timer->setSingleShot(true);
    QObject::connect(&create, &QTimer::timeout, [&] {
        EXPECT_EQ(CoCreateInstance(CLSID_thebrainwheel, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&application)),
                  S_OK);
        m_timers.Advance(3 * CAutomationServer::kIdleTimeoutMs);
        if (application) release.start(0);
    });
    QObject::connect(&release, &QTimer::timeout, [&] {
        servedPastTimeout = true;
        application->Release();
        // Only reached when the release did not end the server.
        guard.start(2000);
    });
    QObject::connect(&guard, &QTimer::timeout, [&] {
        endedByRelease = false;
        m_timers.Advance(CAutomationServer::kIdleTimeoutMs);
    });
    create.start(0);
    EXPECT_EQ(RunServer(), EXIT_SUCCESS);
    EXPECT_TRUE(servedPastTimeout);
    EXPECT_TRUE(endedByRelease);
    // The class object went with the server.
    CComPtr<IDispatch> late;
    EXPECT_EQ(CoCreateInstance(CLSID_thebrainwheel, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&late)),
              REGDB_E_CLASSNOTREG);
}

TEST(Startup, AnUnreadableRegistryEndsTheProgramWithAMessage)
{
    TestEnvironment env;
    { std::ofstream(env.RegistryPath()) << "The Brainwheel registry 1\n[HKEY_CLASSES_ROOT\\A]\n@=oops\n"; }
    RecordedPrompts prompts;
    CGameApp app;
    char program[] = "thebrainwheel", *argv[] = {program, nullptr};
    testing::internal::CaptureStderr();
    EXPECT_EQ(app.Run(1, argv), EXIT_FAILURE);
    const std::string printed = testing::internal::GetCapturedStderr();
    // The box names the file and the line, as the player has no terminal.
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>({"OLE initialization failed.  Make sure that the OLE libraries are the correct "
                                        "version.\n\n" +
                                        env.RegistryPath().string() + ":3: expected a quoted text value"}));
    EXPECT_NE(printed.find("registry.reg:3: "), std::string::npos) << printed;
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

} // namespace
