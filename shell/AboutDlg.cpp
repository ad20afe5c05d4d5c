#include "AboutDlg.h"

CAboutDlg::CAboutDlg(QWidget* parent) : CShellDialog(IDD, Kind::TopLevel, parent) {}

void CAboutDlg::OnCommand(int id)
{
    if (id == IDOK) accept();
}
