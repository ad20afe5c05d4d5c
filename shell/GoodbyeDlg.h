#pragma once
// CGoodbyeDlg: the closing screen shown after the first Exit; only its
// background picture.
#include "ShellDialog.h"

class CGoodbyeDlg final : public CShellDialog {
public:
    static constexpr int IDD = 136;

    explicit CGoodbyeDlg(QWidget* frame);

protected:
    // The background is decoded when the screen is first shown: most games
    // are played long before it.
    void showEvent(QShowEvent* event) override;

private:
    bool m_bBackgroundLoaded = false;
};
