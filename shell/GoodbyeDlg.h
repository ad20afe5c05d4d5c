#pragma once
// CGoodbyeDlg: the closing screen shown after the first Exit; only its
// background picture.
#include "ShellDialog.h"

class CGoodbyeDlg final : public CShellDialog {
public:
    static constexpr int IDD = 136;

    explicit CGoodbyeDlg(QWidget* frame);
};
