#pragma once
// CDialogTemplate: the layout of a composite control, kept as a text
// resource of type "DIALOG" in the module that serves the control. One
// statement a line; '#' starts a comment line:
//   DIALOG <width> <height>
//   FONT <points> "<face>"
//   CONTROL <class> <id> <x> <y> <width> <height> [VISIBLE | HIDDEN | TABSTOP]...
// <class> is a class identifier in braces (a hosted control, created
// through the registry) or a window class name ("SysAnimate32"). Sizes and
// places are in dialog units; a control is hidden unless it says VISIBLE.
// Keywords are case-blind.
#include "com/ComTypes.h"

#include <string>
#include <string_view>
#include <vector>

struct DialogItem {
    std::string className;  // empty for a hosted control
    CLSID clsid = GUID_NULL; // the hosted control's class
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    bool visible = false;
};

// A rectangle in pixels: left, top, width, height.
struct DialogPixels {
    int x = 0, y = 0, cx = 0, cy = 0;
};

class CDialogTemplate {
public:
    // False with the line number and the fault in `error`.
    static bool Parse(std::string_view text, CDialogTemplate& dialog, std::string& error);

    // Dialog units to pixels with the fixed base units: 1.5 pixels across,
    // 1.625 down. Both edges are converted, so that neighbours meet exactly.
    static DialogPixels ToPixels(int x, int y, int cx, int cy);

    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    int FontPoints() const { return m_fontPoints; }
    const std::string& FontName() const { return m_fontName; }
    const std::vector<DialogItem>& Items() const { return m_items; }

private:
    int m_cx = 0;
    int m_cy = 0;
    int m_fontPoints = 0;
    std::string m_fontName;
    std::vector<DialogItem> m_items;
};
