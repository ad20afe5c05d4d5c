#include "GameApp.h"
#include "Prompts.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(kProgramName);
    CGameApp app;
    return app.Run(argc, argv);
}
