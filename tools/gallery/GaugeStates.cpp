#include "GaugeStates.h"

#include "Gallery.h"
#include "PlaydeckGauges.h"
#include "SteppedTimers.h"

#include "Playdeck.h"

#include <QWidget>

namespace {

// The gauges' places on the console, in pixels.
const QRect kCountdownRect(15, 275, 492, 7);
const QRect kLivesRect(15, 286, 125, 39);
const QRect kLadderRect(372, 10, 138, 257);

QString Number(int n, int width = 2) { return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0')); }

template <typename T>
bool Make(const CPlaydeckGauges& gauges, REFCLSID clsid, REFIID riid, QWidget* parent, const QRect& rect,
          CComPtr<T>& gauge, QWidget*& window)
{
    return SUCCEEDED(gauges.Create(clsid, riid, parent, rect, reinterpret_cast<void**>(&gauge), &window));
}

bool AddCountdown(CGallery& gallery, const CPlaydeckGauges& gauges, QWidget* parent)
{
    CComPtr<ICountdown> countdown;
    QWidget* window = nullptr;
    if (!Make(gauges, CLSID_Countdown, IID_ICountdown, parent, kCountdownRect, countdown, window)) return false;
    gallery.Section(QStringLiteral("Countdown"), QStringLiteral("Start(n) shows n lit segments at once."));
    bool written = true;
    for (SHORT seconds = 0; seconds <= 60; ++seconds) {
        countdown->Start(seconds);
        written &= gallery.Add(QStringLiteral("countdown-%1").arg(Number(seconds)), window->grab().toImage(),
                               QStringLiteral("%1 s").arg(seconds));
        countdown->Stop();
    }
    return written;
}

bool AddLives(CGallery& gallery, const CPlaydeckGauges& gauges, CSteppedTimers& timers, QWidget* parent)
{
    CComPtr<ILifeManager> lives;
    QWidget* window = nullptr;
    if (!Make(gauges, CLSID_LifeManager, IID_ILifeManager, parent, kLivesRect, lives, window)) return false;
    gallery.Section(QStringLiteral("LifeManager"), QStringLiteral("NumLives = n, then a LoseALife from three."));
    bool written = true;
    for (SHORT count = 0; count <= 5; ++count) {
        lives->put_NumLives(count);
        written &= gallery.Add(QStringLiteral("lives-%1").arg(count), window->grab().toImage(),
                               QStringLiteral("%1 lives").arg(count));
    }
    lives->put_NumLives(3);
    lives->LoseALife();
    for (int step = 0; step <= 12; ++step) {
        written &= gallery.Add(QStringLiteral("lives-dissolve-%1").arg(Number(step)), window->grab().toImage(),
                               QStringLiteral("3 to 2, step %1").arg(step));
        timers.Step();
    }
    return written;
}

bool AddLadder(CGallery& gallery, const CPlaydeckGauges& gauges, QWidget* parent)
{
    CComPtr<IProgressManager> progress;
    QWidget* window = nullptr;
    if (!Make(gauges, CLSID_ProgressManager, IID_IProgressManager, parent, kLadderRect, progress, window))
        return false;
    gallery.Section(QStringLiteral("ProgressManager"),
                    QStringLiteral("A quiz of 15 questions: each correct answer climbs one rung."));
    // With 15 questions every correct answer lands exactly one rung higher.
    constexpr int kRungs = 15;
    progress->Reset(kRungs);
    bool written = true;
    for (int rung = 0; rung <= kRungs; ++rung) {
        if (rung > 0) progress->CorrectAnswer();
        SHORT percentage = 0;
        progress->get_Percentage(&percentage);
        written &= gallery.Add(QStringLiteral("ladder-%1").arg(Number(rung)), window->grab().toImage(),
                               QStringLiteral("rung %1 (%2 %)").arg(rung).arg(percentage));
    }
    return written;
}

} // namespace

bool AddGaugeStates(CGallery& gallery, const CPlaydeckGauges& gauges, CSteppedTimers& timers)
{
    // The console's own size, so that every gauge sits where it does in play.
    QWidget console;
    console.resize(522, 499);
    bool done = AddCountdown(gallery, gauges, &console);
    done &= AddLives(gallery, gauges, timers, &console);
    done &= AddLadder(gallery, gauges, &console);
    return done;
}
