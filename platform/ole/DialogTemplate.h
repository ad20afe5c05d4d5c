#pragma once
// CDialogTemplate: the layout of a composite control, kept as a text
// resource of type "DIALOG" in the module that serves the control. One
// statement a line; '#' starts a comment line:
//   DIALOG <width> <height>
//   CAPTION "<text>"
//   FONT <points> "<face>"
//   CONTROL <class> <id> <x> <y> <width> <height> [VISIBLE | HIDDEN | TABSTOP | NOTIFY | TEXT <text>]...
//   PROPS <property> <value>...
// <class> is a class identifier in braces (a hosted control, created
// through the registry) or a window class name ("SysAnimate32", or one the
// game program's windows make). Sizes and places are in dialog units; a
// control is hidden unless it says VISIBLE. TEXT gives a native control its
// text (a picture's resource number for a picture); NOTIFY makes a picture
// report clicks.
// PROPS lines give the hosted control of the CONTROL line above them its
// initial properties, one a line, named as in the control's property map;
// `PROPS Extent <cx> <cy>` gives its persisted extent in HIMETRIC. What a
// value may be depends on the property's kind and is checked when the
// control is made (CInitialProperties). Keywords are case-blind; text in
// double quotes keeps its blanks.
#include "com/ComTypes.h"

#include <string>
#include <string_view>
#include <vector>

// A word of a template line; `quoted` tells "NONE" from NONE.
struct DialogWord {
    std::string text;
    bool quoted = false;
};

// One PROPS line: a property and the words of its value.
struct PropertySetting {
    std::string name;
    std::vector<DialogWord> value;
    int line = 0;
};

struct DialogItem {
    std::string className;  // empty for a hosted control
    CLSID clsid = GUID_NULL; // the hosted control's class
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    bool visible = false;
    bool notify = false;               // a picture that reports clicks
    std::string text;                  // of a native control
    int line = 0;                      // of the CONTROL statement
    bool hasExtent = false;            // PROPS Extent was given
    int extentCx = 0, extentCy = 0;    // HIMETRIC
    std::vector<PropertySetting> properties;

    // The item has PROPS lines: its initial data is written from them.
    bool HasInitialProperties() const { return hasExtent || !properties.empty(); }
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
    const std::string& Caption() const { return m_caption; }
    int FontPoints() const { return m_fontPoints; }
    const std::string& FontName() const { return m_fontName; }
    const std::vector<DialogItem>& Items() const { return m_items; }

private:
    int m_cx = 0;
    int m_cy = 0;
    int m_fontPoints = 0;
    std::string m_fontName;
    std::string m_caption;
    std::vector<DialogItem> m_items;
};
