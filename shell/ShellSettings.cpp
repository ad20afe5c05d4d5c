#include "ShellSettings.h"

#include "CommandLineInfo.h"

QBrush g_brushBlack;
std::string g_strBookPattern;
int g_bFrenchMode = 0;

namespace {

constexpr const char* kDefaultBookPattern = "Tavorin.Quiz%d";
constexpr const char* kFrenchBooks = "Tavorin.CoFrench";

} // namespace

void CreateShellSettings()
{
    g_brushBlack = QBrush(QColor(0, 0, 0));
    g_strBookPattern = kDefaultBookPattern;
    g_bFrenchMode = 0;
}

void DestroyShellSettings()
{
    g_brushBlack = QBrush();
    g_strBookPattern.clear();
    g_bFrenchMode = 0;
}

void ApplyNameOption(const std::vector<std::string>& args)
{
    bool naming = false;
    for (const std::string& arg : args) {
        if (!naming) {
            naming = arg == kNameOption;
            continue;
        }
        // The word goes into a format pattern: its own "%" must stay literal.
        std::string pattern = "Tavorin.";
        for (const char c : arg) {
            pattern += c;
            if (c == '%') pattern += '%';
        }
        g_strBookPattern = pattern + "%d";
    }
}

void DetectFrenchMode()
{
    g_bFrenchMode = g_strBookPattern.find(kFrenchBooks) != std::string::npos ? 1 : 0;
}
