#pragma once
// The property maps of the console's controls: the properties each one saves
// and loads, in stream order. Saved controls and the templates' PROPS lines
// depend on them, so they are kept together here as one contract rather than
// inside each control. The gauges and the BonusButton save no properties.
#include "ole/PropertyMap.h"
#include "ole/StockProperties.h"

// OptionText.
inline constexpr PROPERTYDESC kOptionTextProperties[] = {
    {u"BackColor", DISPID_BACKCOLOR, PropertyKind::Colour},
    {u"Enabled", DISPID_ENABLED, PropertyKind::Bool},
    {u"Font", DISPID_FONT, PropertyKind::Font},
    {u"ForeColor", DISPID_FORECOLOR, PropertyKind::Colour},
    {u"MousePointer", DISPID_MOUSEPOINTER, PropertyKind::Integer},
    {u"Text", DISPID_TEXT, PropertyKind::Text},
};

// ImageText and Option: a text over a piece of the skin.
inline constexpr PROPERTYDESC kSkinTextProperties[] = {
    {u"BackColor", DISPID_BACKCOLOR, PropertyKind::Colour},
    {u"Enabled", DISPID_ENABLED, PropertyKind::Bool},
    {u"Font", DISPID_FONT, PropertyKind::Font},
    {u"ForeColor", DISPID_FORECOLOR, PropertyKind::Colour},
    {u"Picture", DISPID_PICTURE, PropertyKind::Picture},
    {u"Text", DISPID_TEXT, PropertyKind::Text},
};

// Challenge.
inline constexpr PROPERTYDESC kChallengeProperties[] = {
    {u"Enabled", DISPID_ENABLED, PropertyKind::Bool},
    {u"Picture", DISPID_PICTURE, PropertyKind::Picture},
};

// GameConsole and LifelineManager: the skin alone.
inline constexpr PROPERTYDESC kSkinProperties[] = {
    {u"Picture", DISPID_PICTURE, PropertyKind::Picture},
};
