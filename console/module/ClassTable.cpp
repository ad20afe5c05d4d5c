#include "ClassTable.h"

#include "BonusButtonCtrl.h"
#include "ChallengeCtrl.h"
#include "CountdownCtrl.h"
#include "GameConsoleCtrl.h"
#include "ImageTextCtrl.h"
#include "LifeManagerCtrl.h"
#include "LifelineManagerCtrl.h"
#include "OptionCtrl.h"
#include "OptionTextCtrl.h"
#include "ProgressManagerCtrl.h"

#include <vector>

std::span<const ClassEntry> ClassTable()
{
    // In registration order: ProgressManager, OptionText, Option, LifeManager,
    // LifelineManager, ImageText, GameConsole, Countdown, Challenge,
    // BonusButton. Each class joins as it is built.
    static const std::vector<ClassEntry> classes = {
        {&CLSID_ProgressManager, "Tavorin.ProgressManager.1", "Tavorin.ProgressManager", "ProgressManager Class", 235,
         108, &CreateClassInstance<CProgressManagerCtrl>},
        {&CLSID_OptionText, "Tavorin.OptionText.1", "Tavorin.OptionText", "OptionText Class", 236, 114,
         &CreateClassInstance<COptionTextCtrl>},
        {&CLSID_Option, "Tavorin.Option.1", "Tavorin.Option", "Option Class", 253, 111,
         &CreateClassInstance<COptionCtrl>},
        {&CLSID_LifeManager, "Playdeck.LifeManager.1", "Playdeck.LifeManager", "LifeManager Class", 234, 105,
         &CreateClassInstance<CLifeManagerCtrl>},
        {&CLSID_LifelineManager, "Tavorin.LifelineManager.1", "Tavorin.LifelineManager", "LifelineManager Class",
         132, 131, &CreateClassInstance<CLifelineManagerCtrl>},
        {&CLSID_ImageText, "Tavorin.ImageText.1", "Tavorin.ImageText", "ImageText Class", 239, 124,
         &CreateClassInstance<CImageTextCtrl>},
        {&CLSID_GameConsole, "Tavorin.GameConsole.1", "Tavorin.GameConsole", "GameConsole Class", 237, 116,
         &CreateClassInstance<CGameConsoleCtrl>},
        {&CLSID_Countdown, "Tavorin.Countdown.1", "Tavorin.Countdown", "Countdown Class", 233, 102,
         &CreateClassInstance<CCountdownCtrl>},
        {&CLSID_Challenge, "Tavorin.Challenge.1", "Tavorin.Challenge", "Challenge Class", 241, 119,
         &CreateClassInstance<CChallengeCtrl>},
        {&CLSID_BonusButton, "Tavorin.BonusButton.1", "Tavorin.BonusButton", "BonusButton Class", 137, 136,
         &CreateClassInstance<CBonusButtonCtrl>},
    };
    return classes;
}
