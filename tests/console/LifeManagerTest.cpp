// The lives row driven through its interface: the count with its ceiling of
// five and no floor, the dissolve and sound of each loss, and the row it
// shows (read off its pixels, as a frame of the lives clip).
#include "HostedGauge.h"

#include "Playdeck.h"

#include <gtest/gtest.h>

namespace {

constexpr int kLifeLostSound = 244;
constexpr int kDissolveMs = 1200;

// The frame of the lives clip showing n figures.
constexpr int RowOf(int figures) { return 60 - 12 * figures; }

class LifeManagerTest : public GaugeTest {
protected:
    void SetUp() override
    {
        GaugeTest::SetUp();
        clip = LoadClip(playdeck.Module(), 243);
        ASSERT_EQ(clip.frames.size(), 61u);
        // The console's place for the row: 83 x 24 dialog units at (10, 176).
        lives = Host<ILifeManager>(CLSID_LifeManager, IID_ILifeManager, QRect(15, 286, 125, 39));
        ASSERT_TRUE(lives);
    }

    void TearDown() override
    {
        lives.Release();
        GaugeTest::TearDown();
    }

    int Shown() const { return MatchingFrame(ShownClip(Window()), clip); }
    SHORT Count() const
    {
        SHORT count = -99;
        EXPECT_EQ(lives->get_NumLives(&count), S_OK);
        return count;
    }

    AviClip clip;
    CComPtr<ILifeManager> lives;
};

TEST_F(LifeManagerTest, FourLossesFromThreeDissolveEachFigureWithASoundAndLeaveMinusOne)
{
    // Before the console sets a count, the clip's first frame stays up.
    EXPECT_EQ(Shown(), 0);
    EXPECT_EQ(Count(), 0);

    lives->put_NumLives(3);
    EXPECT_EQ(Shown(), RowOf(3));
    EXPECT_EQ(sounds.Count(), 0);
    for (int left = 2; left >= 0; --left) {
        SCOPED_TRACE(left);
        lives->LoseALife();
        EXPECT_EQ(Count(), left);
        EXPECT_EQ(Shown(), RowOf(left + 1)) << "the dissolve starts from the row as it was";
        Pass(100);
        EXPECT_EQ(Shown(), RowOf(left + 1) + 1);
        Pass(kDissolveMs - 100);
        EXPECT_EQ(Shown(), RowOf(left));
        EXPECT_EQ(sounds.Count(), 3 - left);
        EXPECT_TRUE(sounds.WasResource(sounds.Count() - 1, playdeck.Module(), kLifeLostSound));
    }
    lives->LoseALife();
    EXPECT_EQ(Count(), -1);
    EXPECT_EQ(Shown(), RowOf(0));
    Pass(kDissolveMs);
    EXPECT_EQ(Shown(), RowOf(0));
    EXPECT_EQ(sounds.Count(), 4);
    EXPECT_TRUE(sounds.WasResource(3, playdeck.Module(), kLifeLostSound));
}

TEST_F(LifeManagerTest, HoldsFiveLivesAtMostAndLosesTheFifthFromTheFullRow)
{
    lives->put_NumLives(7);
    EXPECT_EQ(Count(), 5);
    EXPECT_EQ(Shown(), RowOf(5));

    // A gain at five redraws the full row, silently; one that interrupts a
    // dissolve shows the row at once.
    lives->put_NumLives(4);
    lives->GainALife();
    EXPECT_EQ(Count(), 5);
    lives->GainALife();
    EXPECT_EQ(Count(), 5);
    EXPECT_EQ(Shown(), RowOf(5));
    EXPECT_EQ(sounds.Count(), 0);

    lives->LoseALife();
    EXPECT_EQ(Shown(), 0);
    Pass(kDissolveMs);
    EXPECT_EQ(Shown(), 12);
    lives->LoseALife();
    Pass(300);
    lives->GainALife();
    EXPECT_EQ(Shown(), RowOf(4));
    Pass(kDissolveMs);
    EXPECT_EQ(Shown(), RowOf(4)) << "the interrupted dissolve does not run on";
}

TEST_F(LifeManagerTest, NegativeCountsAreKeptAndShowTheEmptyRow)
{
    lives->put_NumLives(-2);
    EXPECT_EQ(Count(), -2);
    EXPECT_EQ(Shown(), RowOf(0));
    lives->GainALife();
    EXPECT_EQ(Count(), -1);
    EXPECT_EQ(Shown(), RowOf(0));
    lives->GainALife();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Shown(), RowOf(0));
    lives->GainALife();
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Shown(), RowOf(1));
    EXPECT_EQ(sounds.Count(), 0);
}

TEST_F(LifeManagerTest, AnswersThroughItsDispatchTable)
{
    CComPtr<IDispatch> dispatch;
    ASSERT_EQ(lives.QueryInterface(IID_IDispatch, &dispatch), S_OK);
    CComVariant value = CComVariant::I2(2), result;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{&value, &named, 1, 1};
    ASSERT_EQ(dispatch->Invoke(DISPID_LIFEMANAGER_NUMLIVES, GUID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr,
                               nullptr, nullptr),
              S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ASSERT_EQ(dispatch->Invoke(DISPID_LIFEMANAGER_GAINALIFE, GUID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr,
                               nullptr),
              S_OK);
    ASSERT_EQ(dispatch->Invoke(DISPID_LIFEMANAGER_NUMLIVES, GUID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result,
                               nullptr, nullptr),
              S_OK);
    EXPECT_EQ(result.vt, VT_I2);
    EXPECT_EQ(result.iVal, 3);
}

} // namespace
