#pragma once
// The settings every window of the game shares, made by the application
// object when it starts and let go when it ends.
#include <QBrush>

#include <string>
#include <vector>

// The background of every shell window (its colour is what they paint).
extern QBrush g_brushBlack;
// The programmatic names of the quiz books: "%d" stands for the book's
// number, "%%" for a literal "%".
extern std::string g_strBookPattern;
// 1 when the books are the French course's, which plays its own way.
extern int g_bFrenchMode;

// The black brush, "Tavorin.Quiz%d", French mode off.
void CreateShellSettings();
// No brush, no pattern, French mode off.
void DestroyShellSettings();

// "-t word" names the books "Tavorin.word%d". Every argument after a "-t"
// renames them, so the last one wins; a trailing "-t" changes nothing.
// `args` starts with the program's path.
void ApplyNameOption(const std::vector<std::string>& args);
// French mode is on when the books' names contain "Tavorin.CoFrench".
void DetectFrenchMode();
