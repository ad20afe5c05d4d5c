// The ten controls as the console and the game program make them: by
// programmatic name through the registry and the library loaded from its
// registered path, hosted in a window, and the library free to unload once
// the last of them is gone.
#include "LoadedPlaydeck.h"
#include "TestEnvironment.h"
#include "com/ComPtr.h"
#include "ole/ControlHost.h"

#include "Playdeck.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(PlaydeckCreation, MakesEveryClassByProgrammaticNameAndUnloadsAfterTheLastRelease)
{
    TestEnvironment env;
    LoadedPlaydeck playdeck;
    ASSERT_EQ(playdeck.Register(), S_OK);
    const auto canUnloadNow = playdeck.Export<PFN_DllCanUnloadNow>("DllCanUnloadNow");
    QWidget parent;

    struct Case {
        const char16_t* progId;
        CLSID clsid;
        IID iid;
    };
    for (const Case& c : {Case{u"Tavorin.ProgressManager.1", CLSID_ProgressManager, IID_IProgressManager},
                          Case{u"Tavorin.OptionText.1", CLSID_OptionText, IID_IOptionText},
                          Case{u"Tavorin.Option.1", CLSID_Option, IID_IOption},
                          Case{u"Playdeck.LifeManager.1", CLSID_LifeManager, IID_ILifeManager},
                          Case{u"Tavorin.LifelineManager.1", CLSID_LifelineManager, IID_ILifelineManager},
                          Case{u"Tavorin.ImageText.1", CLSID_ImageText, IID_IImageText},
                          Case{u"Tavorin.GameConsole", CLSID_GameConsole, IID_IGameConsole},
                          Case{u"Tavorin.Countdown.1", CLSID_Countdown, IID_ICountdown},
                          Case{u"Tavorin.Challenge.1", CLSID_Challenge, IID_IChallenge},
                          Case{u"Tavorin.BonusButton.1", CLSID_BonusButton, IID_IBonusButton}}) {
        SCOPED_TRACE(QString::fromStdU16String(c.progId).toStdString());
        CLSID clsid = GUID_NULL;
        ASSERT_EQ(CLSIDFromProgID(c.progId, &clsid), S_OK);
        EXPECT_EQ(clsid, c.clsid);
        EXPECT_EQ(canUnloadNow(), S_OK);

        CControlHost host;
        ASSERT_EQ(host.Create(clsid, &parent, QRect(0, 0, 125, 39), nullptr, true), S_OK);
        CComPtr<IUnknown> gauge;
        EXPECT_EQ(host.QueryControl(c.iid, reinterpret_cast<void**>(&gauge)), S_OK);
        ASSERT_TRUE(host.Window());
        EXPECT_EQ(host.Window()->parentWidget(), &parent);
        EXPECT_EQ(canUnloadNow(), S_FALSE);

        host.Close();
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "still referenced";
        gauge.Release();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(canUnloadNow(), S_OK);
    }
    CoFreeUnusedLibraries();
}

} // namespace
