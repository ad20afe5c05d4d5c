#pragma once
// CGameApp: the application object, exactly one per process. It makes the
// shared settings, starts the program the way its command line asks (an
// ordinary game, one that opens a quiz file, registration, or an automation
// server with no window) and keeps the count of application locks that
// decides when a server ends.
#include "com/ComModule.h"

class CAutomationServer;
class CthebrainwheelDlg;

class CGameApp {
public:
    // String resource: the registry cannot be used.
    static constexpr int IDP_OLE_INIT_FAILED = 100;

    CGameApp();
    ~CGameApp();
    CGameApp(const CGameApp&) = delete;
    CGameApp& operator=(const CGameApp&) = delete;

    // The application, or null while there is none.
    static CGameApp* Instance();

    // Start-up, then the game's window or the automation server until it
    // ends; returns the process's exit code. argv[0] is the program's path.
    int Run(int argc, char** argv);

    // The application's locks: one per live automation object and one per
    // LockServer(TRUE) of its class object. Module() is what the class
    // object counts against.
    static CComModule& Module();
    static void LockApp();
    // A running automation server ends when the last lock goes.
    static void UnlockApp();

    CthebrainwheelDlg* m_pMainWnd = nullptr;  // the game's window while it runs, not owned

private:
    // The registry can be read; says why on stderr and in a message box when not.
    static bool InitComponentRuntime();

    CAutomationServer* m_pServer = nullptr;  // while serving automation clients
};
