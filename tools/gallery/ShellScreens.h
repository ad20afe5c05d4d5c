#pragma once
// The game program's main window as a player meets it, one picture per
// screen: the welcome screen in book mode and in user file mode, a round
// announced, a question, the final message, the goodbye screen and the About
// box with the French course, and a quiz with misses ended and reviewed; the welcome and goodbye screens of an ordinary
// start too, where no book is found.
#include <filesystem>

class CGallery;
class CSteppedTimers;

// Registers Playdeck.so and Wordcrate.so from `folder` with the regsvr
// beside them into the registry in force, which must be a private one.
bool AddShellScreens(CGallery& gallery, CSteppedTimers& timers, const std::filesystem::path& folder);
