#pragma once
// CAutomationServer: the program as a client starts it ("-Embedding" or
// "-Automation"). No window: the class object of thebrainwheel.Application
// is registered as running and the event loop serves until the last object
// handed out is released. No other process can reach this one here, so the
// server also ends once it has been idle, no lock held, for a while.
#include "com/ComTypes.h"
#include "ui/WindowTimer.h"

#include <QEventLoop>

#include <memory>

class CAutomationServer {
public:
    // How long the server waits, and then waits again, for its first or next
    // object.
    static constexpr int kIdleTimeoutMs = 5000;

    CAutomationServer();

    // Registers the class object, runs the event loop until the server
    // ends, then revokes the class object. Fails when the class object
    // cannot be registered.
    HRESULT Run();
    // The application's last lock is gone: the server ends.
    void OnReleaseAllObjects();

private:
    void OnIdleTimeout();

    QEventLoop m_loop;
    std::unique_ptr<CWindowTimer> m_idleTimer;  // checks for locks every kIdleTimeoutMs
};
