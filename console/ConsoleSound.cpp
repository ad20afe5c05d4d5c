#include "ConsoleSound.h"

#include "PlaydeckLibrary.h"
#include "ui/PlaySound.h"

void PlayConsoleSound(int id)
{
    PlaySound(id, PlaydeckLibrary(), SND_RESOURCE | SND_ASYNC);
}
