#include "GameApp.h"

#include "AppRegistration.h"
#include "AutomationServer.h"
#include "CommandLineInfo.h"
#include "Prompts.h"
#include "ShellResources.h"
#include "ShellSettings.h"
#include "WelcomeDlg.h"
#include "com/Registry.h"
#include "thebrainwheelDlg.h"
#include "ui/AnsiCodePage.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

CGameApp* g_pApp = nullptr;

// Whether the program's own (un)registration worked; says why on stderr when
// it did not.
bool Registered(const char* what, HRESULT hr)
{
    if (SUCCEEDED(hr)) return true;
    std::fprintf(stderr, "thebrainwheel: %s failed with 0x%08X: %s\n", what, static_cast<unsigned>(hr),
                 CRegistry::LastError().c_str());
    return false;
}

} // namespace

CGameApp::CGameApp()
{
    assert(!g_pApp && "one application per process");
    g_pApp = this;
    CreateShellSettings();
}

CGameApp::~CGameApp()
{
    DestroyShellSettings();
    g_pApp = nullptr;
}

CGameApp* CGameApp::Instance()
{
    return g_pApp;
}

CComModule& CGameApp::Module()
{
    static CComModule module;
    return module;
}

void CGameApp::LockApp()
{
    Module().Lock();
}

void CGameApp::UnlockApp()
{
    Module().Unlock();
    if (Module().LockCount() == 0 && g_pApp && g_pApp->m_pServer) g_pApp->m_pServer->OnReleaseAllObjects();
}

bool CGameApp::InitComponentRuntime()
{
    CRegistryData registry;
    std::string error;
    if (SUCCEEDED(CRegistry::Read(registry, &error))) return true;
    std::fprintf(stderr, "%s\n", error.c_str());
    Prompts().MessageBox(nullptr, ShellString(IDP_OLE_INIT_FAILED) + "\n\n" + Utf8ToAnsi(error),
                         IPrompts::Icon::Warning);
    return false;
}

int CGameApp::Run(int argc, char** argv)
{
    const std::vector<std::string> args(argv, argv + argc);
    if (!InitComponentRuntime()) return EXIT_FAILURE;

    CCommandLineInfo cmdInfo;
    cmdInfo.ParseCommandLine(args);

    // Started by a client: serve it, and show no window.
    if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated) {
        CAutomationServer server;
        m_pServer = &server;
        const HRESULT hr = server.Run();
        m_pServer = nullptr;
        return SUCCEEDED(hr) ? EXIT_SUCCESS : EXIT_FAILURE;
    }

    if (cmdInfo.m_nShellCommand == CCommandLineInfo::AppUnregister)
        return Registered("unregistration", UnregisterApplication()) ? EXIT_SUCCESS : EXIT_FAILURE;
    // Every start keeps the registration up to date; a game still runs when
    // the registry cannot be written.
    const bool registered = Registered("registration", RegisterApplication());
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::AppRegister) return registered ? EXIT_SUCCESS : EXIT_FAILURE;

    ApplyNameOption(args);
    DetectFrenchMode();

    CthebrainwheelDlg dialog;
    m_pMainWnd = &dialog;
    // A quiz file on the command line (a double click in the file manager)
    // waits in the welcome screen to be opened as soon as it shows. A window
    // that can't be made is left to DoModal to report.
    if (!cmdInfo.m_strFileName.empty() && dialog.OnInitDialog() && dialog.Welcome())
        dialog.Welcome()->OpenQuizFile(cmdInfo.m_strFileName);
    const int result = dialog.DoModal();
    m_pMainWnd = nullptr;
    // The window's own result means nothing; only a console that could not
    // be made is a failed start.
    return result == -1 ? EXIT_FAILURE : EXIT_SUCCESS;
}
