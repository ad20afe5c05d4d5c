#pragma once
// The library's panel brush: the solid colour that the gauges sitting on the
// console's panel fill their windows with, so that they blend into it. The
// GameConsole makes the brush and owns it (it holds a CPanelBrush while it
// lives); while no GameConsole lives there is no brush and the gauges keep
// their window's default background.
#include <QColor>

class CPanelBrush {
public:
    CPanelBrush();
    ~CPanelBrush();
    CPanelBrush(const CPanelBrush&) = delete;
    CPanelBrush& operator=(const CPanelBrush&) = delete;

    // RGB(0, 1, 0) while someone holds the brush, invalid otherwise.
    static QColor Colour();

private:
    static int s_nHolders;
};
