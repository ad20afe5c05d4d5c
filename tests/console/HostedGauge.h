#pragma once
// A gauge of the built console library, created through the registry and
// hosted in a widget, with the timers on a manual clock and the sounds
// recorded. What the gauge shows is read off its pixels: its window is
// grabbed and compared with the frames of the clip it plays.
#include "LoadedPlaydeck.h"
#include "ManualTimers.h"
#include "SoundRecorder.h"
#include "TestEnvironment.h"
#include "com/ComPtr.h"
#include "ole/ControlHost.h"
#include "ui/AnimateCtrl.h"

#include "EventRecorder.h"

#include <QCoreApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

// One clip of the library, decoded.
inline AviClip LoadClip(HMODULE module, int id)
{
    AviClip clip;
    const HRSRC resource = FindResourceA(module, id, "AVI");
    const auto* bytes = static_cast<const unsigned char*>(LockResource(resource));
    EXPECT_TRUE(bytes && ParseAviClip(bytes, SizeofResource(module, resource), clip)) << "AVI " << id;
    return clip;
}

// What a window shows, as plain 32-bit pixels.
inline QImage Shown(QWidget* window) { return window->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// What a gauge's window shows where its animation control lies, as far as
// the window has room for it.
inline QImage ShownClip(QWidget* window)
{
    const auto* animation = window->findChild<QWidget*>();
    EXPECT_TRUE(dynamic_cast<const CAnimateCtrl*>(animation));
    return animation ? Shown(window).copy(animation->geometry() & window->rect()) : QImage();
}

// The clip frame that `shown` displays at its top left, over the part of the
// frame the window has room for; -1 when it shows none of them.
inline int MatchingFrame(const QImage& shown, const AviClip& clip)
{
    for (std::size_t f = 0; f < clip.frames.size(); ++f) {
        const QImage frame = clip.frames[f].convertToFormat(QImage::Format_RGB32);
        const int width = std::min(frame.width(), shown.width());
        const int height = std::min(frame.height(), shown.height());
        bool same = width > 0 && height > 0;
        for (int y = 0; same && y < height; ++y)
            for (int x = 0; same && x < width; ++x) same = frame.pixel(x, y) == shown.pixel(x, y);
        if (same) return static_cast<int>(f);
    }
    return -1;
}

class GaugeTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(playdeck.Register(), S_OK);
        parent.resize(600, 400);
    }
    void TearDown() override
    {
        hosts.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(playdeck.Export<PFN_DllCanUnloadNow>("DllCanUnloadNow")(), S_OK) << "every gauge is gone";
        // The runtime loaded the library too: let it go, so that the library
        // is unloaded once the test's own hold on it ends.
        CoFreeUnusedLibraries();
    }

    // Hosts a new control of class `clsid` at `rect` and queries it for riid.
    template <typename T>
    CComPtr<T> Host(REFCLSID clsid, REFIID riid, const QRect& rect)
    {
        hosts.push_back(std::make_unique<CControlHost>());
        CControlHost& host = *hosts.back();
        EXPECT_EQ(host.Create(clsid, &parent, rect, nullptr, true), S_OK);
        CComPtr<T> control;
        EXPECT_EQ(host.QueryControl(riid, reinterpret_cast<void**>(&control)), S_OK);
        return control;
    }
    QWidget* Window(std::size_t index = 0) const { return hosts[index]->Window(); }

    // Lets `ms` of play pass, handling what the timers posted on the way
    // (a window's queue is worked through at least every tick).
    void Pass(int ms)
    {
        for (int step = 0; step < ms; step += 100) {
            timers.Advance(std::min(100, ms - step));
            QCoreApplication::sendPostedEvents();
        }
    }

    // Connects a recorder to the event interface `eventIid` of `control`.
    void Listen(IUnknown* control, REFIID eventIid, CComPtr<CEventRecorder>& recorder)
    {
        recorder.Attach(new CEventRecorder("gauge", events));
        CComPtr<IConnectionPoint> point;
        Connect(control, eventIid, recorder, point);
    }

    TestEnvironment env;
    ManualTimers timers;
    SoundRecorder sounds;
    LoadedPlaydeck playdeck;
    QWidget parent;
    std::vector<std::unique_ptr<CControlHost>> hosts;
    std::vector<RecordedEvent> events;
};
