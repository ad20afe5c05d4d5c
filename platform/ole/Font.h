#pragma once
// Font objects: IFont for the code that draws text, IFontDisp for callers
// that only pass fonts along.
#include "com/Unknown.h"

class QFont;

// A currency value: sizes of fonts count in 1/10000 point.
struct CY {
    std::int64_t int64 = 0;
};

// The largest size a font object holds, in 1/10000 point: 400 pt, 533
// pixels at 96 per inch, is taller than the whole console, so no text of ours
// can want more, and a fit loop that lowers a size one point at a time ends
// within 400 steps. A larger size, whether described, put or loaded, is held
// as this one.
constexpr std::int64_t FONTSIZE_MAX = 4000000;

constexpr SHORT FW_NORMAL = 400;
constexpr SHORT FW_BOLD = 700;
constexpr SHORT DEFAULT_CHARSET = 1;

struct IFont : IUnknown {
    virtual HRESULT get_Name(BSTR* name) = 0;
    virtual HRESULT put_Name(BSTR name) = 0;
    virtual HRESULT get_Size(CY* size) = 0;
    // A negative size is refused (E_INVALIDARG).
    virtual HRESULT put_Size(CY size) = 0;
    virtual HRESULT get_Weight(SHORT* weight) = 0;
    virtual HRESULT put_Weight(SHORT weight) = 0;
    virtual HRESULT get_Charset(SHORT* charset) = 0;
    virtual HRESULT put_Charset(SHORT charset) = 0;
    virtual HRESULT get_Italic(BOOL* italic) = 0;
    virtual HRESULT put_Italic(BOOL italic) = 0;
    virtual HRESULT get_Underline(BOOL* underline) = 0;
    virtual HRESULT put_Underline(BOOL underline) = 0;
    virtual HRESULT get_Strikethrough(BOOL* strikethrough) = 0;
    virtual HRESULT put_Strikethrough(BOOL strikethrough) = 0;
    // A new font object with the same attributes.
    virtual HRESULT Clone(IFont** font) = 0;
    // S_OK when the other font has the same attributes (names compare
    // without regard to case), S_FALSE otherwise.
    virtual HRESULT IsEqual(IFont* other) = 0;
    // The font to paint with, its point size as the attributes say (whole
    // and fractional points alike: rounding is the drawing code's choice).
    virtual HRESULT GetQFont(QFont* font) = 0;
};
constexpr IID IID_IFont = {0xBEF6E002, 0xA874, 0x101A, {0x8B, 0xBA, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

// The dispatch face of a font: Name (0), Size (2, in 1/10000 point as a
// 32-bit integer), Bold (3), Italic (4), Underline (5), Strikethrough (6),
// Weight (7), Charset (8), read and written by dispatch id.
struct IFontDisp : IDispatch {};
constexpr IID IID_IFontDisp = {0xBEF6E003, 0xA874, 0x101A, {0x8B, 0xBA, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

constexpr CLSID CLSID_StdFont = {0x0BE35203, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

constexpr DISPID DISPID_FONT_NAME = 0;
constexpr DISPID DISPID_FONT_SIZE = 2;
constexpr DISPID DISPID_FONT_BOLD = 3;
constexpr DISPID DISPID_FONT_ITALIC = 4;
constexpr DISPID DISPID_FONT_UNDER = 5;
constexpr DISPID DISPID_FONT_STRIKE = 6;
constexpr DISPID DISPID_FONT_WEIGHT = 7;
constexpr DISPID DISPID_FONT_CHARSET = 8;

struct FONTDESC {
    LPCOLESTR lpstrName = u"Arial";
    CY cySize{100000};
    SHORT sWeight = FW_NORMAL;
    SHORT sCharset = DEFAULT_CHARSET;
    BOOL fItalic = FALSE;
    BOOL fUnderline = FALSE;
    BOOL fStrikethrough = FALSE;
};

// A new font object with the given attributes, answering riid (IFont,
// IFontDisp, IDispatch or IPersistStream).
HRESULT OleCreateFontIndirect(const FONTDESC& desc, REFIID riid, void** font);
