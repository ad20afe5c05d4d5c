#include "ClassTable.h"

#include "CountdownCtrl.h"
#include "LifeManagerCtrl.h"
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
        {&CLSID_LifeManager, "Playdeck.LifeManager.1", "Playdeck.LifeManager", "LifeManager Class", 234, 105,
         &CreateClassInstance<CLifeManagerCtrl>},
        {&CLSID_Countdown, "Tavorin.Countdown.1", "Tavorin.Countdown", "Countdown Class", 233, 102,
         &CreateClassInstance<CCountdownCtrl>},
    };
    return classes;
}
