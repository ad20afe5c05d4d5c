#pragma once
// CAboutDlg: the About box, opened from the main window's menu.
#include "ShellDialog.h"

class CAboutDlg final : public CShellDialog {
public:
    static constexpr int IDD = 100;
    static constexpr int IDOK = 1;

    explicit CAboutDlg(QWidget* parent);

protected:
    void OnCommand(int id) override;
};
