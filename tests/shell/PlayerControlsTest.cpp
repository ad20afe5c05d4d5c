// The player's keys and sound switch in the real game window: keys typed at
// the window as the window system delivers them, the console's sounds
// recorded, and the sound setting written to a private configuration folder.
#include "ShellTestFixture.h"

#include "AboutDlg.h"
#include "GoodbyeDlg.h"
#include "SealedFile.h"
#include "SoundRecorder.h"
#include "SoundSetting.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlg.h"
#include "ui/PlaySound.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <iterator>

namespace {

using Dlg = CthebrainwheelDlg;

// A key the table plays that is no key: a click on Exit.
constexpr int kClickExit = -1;

// Sets an environment variable for as long as it lives.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : m_name(name)
    {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        if (old) m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable()
    {
        if (m_had) setenv(m_name, m_old.c_str(), 1);
        else unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

class PlayerControlsTest : public ShellTest {
protected:
    void SetUp() override
    {
        SetSoundMuted(false);
        RegisterModule("Playdeck.so");
        RegisterModule("Wordcrate.so");
    }
    void TearDown() override
    {
        dlg.reset();
        SetSoundMuted(false);
        ShellTest::TearDown();
    }
    void Open()
    {
        dlg = std::make_unique<Dlg>();
        ASSERT_TRUE(dlg->OnInitDialog());
        dlg->show();
        dlg->activateWindow();
        QCoreApplication::processEvents();
    }
    bool Shown(int id) const { return dlg->GetDlgItem(id) && dlg->GetDlgItem(id)->isVisible(); }
    // Where the player is, as the buttons on show tell it.
    std::string Screen() const
    {
        if (dlg->Welcome()->isVisible())
            return dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_START_QUIZ)->isVisible() ? "welcome+start" : "welcome";
        if (dlg->Goodbye()->isVisible()) return "goodbye";
        if (!Shown(Dlg::IDC_CONSOLE)) return "nowhere";
        if (Shown(Dlg::IDC_NEW_QUIZ)) return "final";
        return Shown(Dlg::IDC_START_ROUND) ? "round" : "question";
    }
    void Type(int key)
    {
        if (key == kClickExit) {
            QWidget* exit = dlg->GetDlgItem(Dlg::IDC_EXIT);
            QTest::mouseClick(exit, Qt::LeftButton, {}, exit->rect().center());
        } else {
            QTest::keyClick(dlg->windowHandle(), static_cast<Qt::Key>(key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        }
        QCoreApplication::processEvents();
    }
    // The console's verdict stands, then the next step runs.
    void Wait()
    {
        timers.Advance(Dlg::kStepDelayMs);
        QCoreApplication::processEvents();
    }
    QAction* MuteEntry() const
    {
        const QList<QAction*> entries = dlg->SystemMenu()->actions();
        EXPECT_EQ(entries.size(), 2);
        return entries.value(1);
    }

    // Nothing of the tests reaches the player's own settings.
    ScopedVariable config{"XDG_CONFIG_HOME", (env.Dir() / "config").string()};
    std::unique_ptr<Dlg> dlg;
};

TEST_F(PlayerControlsTest, ReturnAndSpacePressTheButtonOnShowF1OpensAboutAndMMutes)
{
    Start({"thebrainwheel", "-t", "CoFrench"});
    Open();
    // Plays the quiz out by keys alone: Space at each round, then the first
    // answer of every question until the final message.
    constexpr int kPlayOut = 0;
    const int kCtrlReturn = (Qt::ControlModifier | Qt::Key_Return).toCombined();
    const int kAltSpace = (Qt::AltModifier | Qt::Key_Space).toCombined();
    struct Step {
        const char* what;
        std::vector<int> keys;
        std::string screen;  // where the keys leave the player
    };
    const Step steps[] = {
        {"nothing selected", {Qt::Key_Return, Qt::Key_Space}, "welcome"},
        {"the arrow selects in the list", {Qt::Key_Down}, "welcome+start"},
        {"a shortcut is no press", {kCtrlReturn, kAltSpace}, "welcome+start"},
        {"Space presses Start Quiz", {Qt::Key_Space}, "round"},
        {"Escape is no way out", {Qt::Key_Escape}, "round"},
        {"nor a shortcut", {kCtrlReturn, kAltSpace}, "round"},
        {"Return presses Start Round", {Qt::Key_Return}, "question"},
        {"no button while a question waits", {Qt::Key_Return, Qt::Key_Space}, "question"},
        {"answered by keys", {kPlayOut}, "final"},
        {"Return presses New Quiz", {Qt::Key_Return}, "welcome"},
        {"Return presses Start Quiz", {Qt::Key_Down, Qt::Key_Return}, "round"},
        {"Space presses Start Round", {Qt::Key_Space}, "question"},
        {"the goodbye screen has no button", {kClickExit, Qt::Key_Return, Qt::Key_Space}, "goodbye"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        for (const int key : step.keys) {
            if (key != kPlayOut) {
                Type(key);
                continue;
            }
            for (int guard = 0; guard < 500 && Screen() != "final"; ++guard) {
                if (Screen() == "round") {
                    Type(Qt::Key_Space);
                    continue;
                }
                ASSERT_EQ(Screen(), "question");
                ASSERT_EQ(QApplication::focusWidget(), dlg->GetDlgItem(Dlg::IDC_CONSOLE)) << "the console has the keys";
                Type(Qt::Key_A);
                Wait();
            }
        }
        EXPECT_EQ(Screen(), step.screen);
    }
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(prompts.messages.empty());

    // F1 and M wherever the keyboard is.
    for (const char* where : {"goodbye", "list"}) {
        SCOPED_TRACE(where);
        if (std::string(where) == "list") {
            Open();
            ASSERT_EQ(QApplication::focusWidget(), dlg->Welcome()->GetDlgItem(CWelcomeDlg::IDC_QUIZ_LIST));
        }
        CAboutDlg* about = nullptr;
        QTimer::singleShot(0, dlg.get(), [&] {
            about = dynamic_cast<CAboutDlg*>(QApplication::activeModalWidget());
            if (about) about->close();
        });
        Type(Qt::Key_F1);
        EXPECT_TRUE(about) << "F1 opened the About box";
        // The desktop hands the keyboard back to the window once the box is gone.
        dlg->activateWindow();
        QCoreApplication::processEvents();
        for (const bool muted : {true, false}) {
            Type(Qt::Key_M);
            EXPECT_EQ(IsSoundMuted(), muted);
            EXPECT_EQ(MuteEntry()->isChecked(), muted);
        }
    }
}

TEST_F(PlayerControlsTest, TheMuteChoiceSilencesTheConsoleAndOutlivesTheWindow)
{
    const std::string file = (env.Dir() / "config" / "thebrainwheel" / "thebrainwheel.conf").string();
    EXPECT_EQ(SoundSettingPath(), file);
    SoundRecorder sounds;
    Start({"thebrainwheel", "-t", "CoFrench"});
    // Each run: a new window as a new start of the program makes it (the
    // process's mute back at its start), the menu entry's state read, the
    // sound of a round's start counted, then the entry toggled.
    struct Run {
        const char* what;
        bool checked;        // the entry as the window opens
        int roundSounds;     // sounds the first round's start makes
        bool byKey;          // toggled with M rather than the menu
    };
    const Run runs[] = {
        {"nothing remembered, then muted from the menu", false, 1, false},
        {"muted as remembered, then unmuted with M", true, 0, true},
        {"unmuted as remembered, then muted from the menu", false, 1, false},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.what);
        SetSoundMuted(false);
        Open();
        EXPECT_EQ(MuteEntry()->text(), "&Mute Sounds");
        EXPECT_TRUE(MuteEntry()->isCheckable());
        EXPECT_EQ(MuteEntry()->isChecked(), run.checked);
        EXPECT_EQ(IsSoundMuted(), run.checked);
        sounds.Clear();
        Type(Qt::Key_Down);
        Type(Qt::Key_Return);
        ASSERT_EQ(Screen(), "round");
        EXPECT_EQ(sounds.Count(), run.roundSounds);
        if (run.byKey) Type(Qt::Key_M);
        else MuteEntry()->trigger();
        EXPECT_EQ(IsSoundMuted(), !run.checked);
        std::ifstream written(file);
        const std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find(run.checked ? "Muted=false" : "Muted=true"), std::string::npos) << text;
        dlg.reset();
    }

    // A folder that can't be made: the choice holds for this run only.
    WriteBytes(env.Dir() / "plain", "not a folder");
    const ScopedVariable blocked("XDG_CONFIG_HOME", (env.Dir() / "plain").string());
    EXPECT_FALSE(ChangeSoundSetting(true));
    EXPECT_TRUE(IsSoundMuted());
    SetSoundMuted(false);
    RestoreSoundSetting();
    EXPECT_FALSE(IsSoundMuted());
}

TEST(SoundSetting, LivesInTheUsersConfigurationFolder)
{
    struct Case {
        const char* config;  // XDG_CONFIG_HOME, null for unset
        std::string path;
    };
    const Case cases[] = {
        {"/tmp/cfg", "/tmp/cfg/thebrainwheel/thebrainwheel.conf"},
        {nullptr, "/home/player/.config/thebrainwheel/thebrainwheel.conf"},
        {"", "/home/player/.config/thebrainwheel/thebrainwheel.conf"},
        {"relative/cfg", "/home/player/.config/thebrainwheel/thebrainwheel.conf"},
    };
    const ScopedVariable home("HOME", "/home/player");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config ? c.config : "unset");
        const ScopedVariable config("XDG_CONFIG_HOME", c.config ? c.config : "");
        if (!c.config) unsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(SoundSettingPath(), c.path);
    }
}

} // namespace
