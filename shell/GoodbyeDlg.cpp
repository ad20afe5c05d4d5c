#include "GoodbyeDlg.h"

#include "ShellResources.h"
#include "ShellSettings.h"

CGoodbyeDlg::CGoodbyeDlg(QWidget* frame) : CShellDialog(IDD, Kind::Child, frame)
{
    UseBlackBackground();
}

void CGoodbyeDlg::showEvent(QShowEvent* event)
{
    if (!m_bBackgroundLoaded) {
        m_bBackgroundLoaded = true;
        LoadSkinsPicture(g_bFrenchMode ? 138 : 143, m_pBackground);
    }
    CShellDialog::showEvent(event);
}
