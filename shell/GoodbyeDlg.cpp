#include "GoodbyeDlg.h"

#include "ShellResources.h"
#include "ShellSettings.h"

CGoodbyeDlg::CGoodbyeDlg(QWidget* frame) : CShellDialog(IDD, Kind::Child, frame)
{
    UseBlackBackground();
    LoadSkinsPicture(g_bFrenchMode ? 138 : 143, m_pBackground);
}
