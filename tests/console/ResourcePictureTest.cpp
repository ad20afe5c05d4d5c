#include "ConsoleSound.h"
#include "LoadedPlaydeck.h"
#include "PlaydeckLibrary.h"
#include "ResourcePicture.h"
#include "SoundRecorder.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QSize PictureSize(IPictureDisp* disp)
{
    CComPtr<IPicture> picture;
    QImage image;
    if (disp && SUCCEEDED(disp->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture))))
        picture->GetImage(&image);
    return image.size();
}

TEST(LoadResourcePicture, DecodesTheLibrarysPictureIntoTheSlot)
{
    LoadedPlaydeck playdeck;
    CComPtr<IPictureDisp> slot;
    ASSERT_TRUE(LoadResourcePicture("SKIN", 246, slot));
    EXPECT_EQ(PictureSize(slot), QSize(520, 500));
    // A second load replaces the picture.
    ASSERT_TRUE(LoadResourcePicture("BUTTONS", 234, slot));
    EXPECT_EQ(PictureSize(slot), QSize(66, 37));
    // A missing resource leaves the slot as it was.
    EXPECT_FALSE(LoadResourcePicture("BUTTONS", 246, slot));
    EXPECT_FALSE(LoadResourcePicture("SKINS", 246, slot));
    EXPECT_EQ(PictureSize(slot), QSize(66, 37));
    // Found but no picture: the decoder was tried and the slot is emptied.
    EXPECT_TRUE(LoadResourcePicture("WAVE", 254, slot));
    EXPECT_FALSE(slot);
}

TEST(LoadResourcePicture, FindsNothingWithoutALibraryOfThatFileName)
{
    TestEnvironment env;
    CComPtr<IPictureDisp> slot;
    {
        LoadedPlaydeck playdeck;
        ASSERT_TRUE(LoadResourcePicture("IMAGES", 249, slot));
    }
    ASSERT_EQ(PlaydeckLibrary(), nullptr);
    EXPECT_FALSE(LoadResourcePicture("IMAGES", 247, slot));

    // The same library under another file name serves no pictures.
    const std::filesystem::path renamed = env.Dir() / "Console.so";
    std::filesystem::copy_file(LoadedPlaydeck::BuiltPath(), renamed);
    LoadedPlaydeck copy(renamed);
    ASSERT_NE(copy.Module(), nullptr);
    EXPECT_EQ(PlaydeckLibrary(), nullptr);
    EXPECT_FALSE(LoadResourcePicture("IMAGES", 247, slot));
    EXPECT_EQ(PictureSize(slot), QSize(355, 218));
}

TEST(PlayConsoleSound, PlaysTheLibrarysSoundsOnlyUnderItsName)
{
    TestEnvironment env;
    SoundRecorder recorder;
    {
        LoadedPlaydeck playdeck;
        PlayConsoleSound(244);
        PlayConsoleSound(250);
        PlayConsoleSound(4242);
        ASSERT_EQ(recorder.Count(), 2);
        EXPECT_TRUE(recorder.WasResource(0, playdeck.Module(), 244));
        EXPECT_TRUE(recorder.WasResource(1, playdeck.Module(), 250));
    }
    const std::filesystem::path renamed = env.Dir() / "Console.so";
    std::filesystem::copy_file(LoadedPlaydeck::BuiltPath(), renamed);
    LoadedPlaydeck copy(renamed);
    PlayConsoleSound(244);
    EXPECT_EQ(recorder.Count(), 2);
}

} // namespace
