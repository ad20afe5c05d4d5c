#include "ClassTable.h"

#include <vector>

std::span<const ClassEntry> ClassTable()
{
    // In registration order: ProgressManager, OptionText, Option, LifeManager,
    // LifelineManager, ImageText, GameConsole, Countdown, Challenge,
    // BonusButton. Each class joins as it is built, with a line such as
    //   {&CLSID_Countdown, "Tavorin.Countdown.1", "Tavorin.Countdown", "Countdown Class", 233, 102,
    //    &CreateClassInstance<CCountdownCtrl>},
    static const std::vector<ClassEntry> classes = {
    };
    return classes;
}
