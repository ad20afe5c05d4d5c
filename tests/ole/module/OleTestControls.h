#pragma once
// What the tests and the small control module built for them share: two
// classes, a leaf control with one property of every persisted kind, and a
// composite laid out from a template of the module.
#include "com/Unknown.h"
#include "ole/Font.h"
#include "ole/Picture.h"
#include "ole/PropertyMap.h"

class QWidget;

constexpr CLSID CLSID_SampleCtrl = {0x3F6C2E10, 0x5A7B, 0x4C3D, {0x8E, 0x91, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x60}};
constexpr IID IID_ISampleCtrl = {0x3F6C2E11, 0x5A7B, 0x4C3D, {0x8E, 0x91, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x60}};
constexpr IID DIID__ISampleCtrlEvents = {0x3F6C2E12, 0x5A7B, 0x4C3D, {0x8E, 0x91, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x60}};
constexpr CLSID CLSID_SampleComposite = {0x3F6C2E13, 0x5A7B, 0x4C3D, {0x8E, 0x91, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x60}};
constexpr IID IID_ISampleComposite = {0x3F6C2E14, 0x5A7B, 0x4C3D, {0x8E, 0x91, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x60}};
constexpr IID DIID__ISampleCompositeEvents = {0x3F6C2E15, 0x5A7B, 0x4C3D, {0x8E, 0x91, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x60}};
// The same composite class laid out from template 401: an inner sample
// composite (301) and a sample control given its properties as text (302).
constexpr CLSID CLSID_SampleOuter = {0x3F6C2E16, 0x5A7B, 0x4C3D, {0x8E, 0x91, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x60}};

// A Count of this value makes the sample control throw from its window's
// creation, its painting and Ring, as a faulty control would.
constexpr LONG kSampleFaultyCount = 666;

constexpr DISPID DISPID_SAMPLE_ENABLED = -514;
constexpr DISPID DISPID_SAMPLE_BACKCOLOR = -501;
constexpr DISPID DISPID_SAMPLE_COUNT = 2;
constexpr DISPID DISPID_SAMPLE_CAPTION = -517;
constexpr DISPID DISPID_SAMPLE_FONT = -512;
constexpr DISPID DISPID_SAMPLE_PICTURE = -523;
constexpr DISPID DISPID_SAMPLE_RING = 5;
constexpr DISPID DISPID_SAMPLE_POSTRING = 6;
constexpr DISPID DISPID_SAMPLE_MOUSELOG = 7;
// _ISampleCtrlEvents: OnRing(short count, BOOL even).
constexpr DISPID DISPID_SAMPLE_ONRING = 1;

// The persisted properties, in the order of the property map.
struct ISampleCtrl : IDispatch {
    virtual HRESULT put_Enabled(VARIANT_BOOL enabled) = 0;
    virtual HRESULT get_Enabled(VARIANT_BOOL* enabled) = 0;
    virtual HRESULT put_BackColor(OLE_COLOR colour) = 0;
    virtual HRESULT get_BackColor(OLE_COLOR* colour) = 0;
    virtual HRESULT put_Count(LONG count) = 0;
    virtual HRESULT get_Count(LONG* count) = 0;
    virtual HRESULT put_Caption(BSTR caption) = 0;
    virtual HRESULT get_Caption(BSTR* caption) = 0;
    virtual HRESULT putref_Font(IFontDisp* font) = 0;
    virtual HRESULT put_Font(IFontDisp* font) = 0;
    virtual HRESULT get_Font(IFontDisp** font) = 0;
    virtual HRESULT putref_Picture(IPictureDisp* picture) = 0;
    virtual HRESULT put_Picture(IPictureDisp* picture) = 0;
    virtual HRESULT get_Picture(IPictureDisp** picture) = 0;
    // Fires OnRing(count, count is even) at once.
    virtual HRESULT Ring(SHORT count) = 0;
    // Posts itself a message that fires OnRing(count, ...) when handled.
    virtual HRESULT PostRing(SHORT count) = 0;
    // What the mouse hooks saw, a letter each: E(nter), L(eave), D(own); a
    // left button press also rings with Count.
    virtual HRESULT get_MouseLog(BSTR* log) = 0;
};

constexpr DISPID DISPID_COMPOSITE_INITCOUNT = 1;
constexpr DISPID DISPID_COMPOSITE_CHILD = 2;
// _ISampleCompositeEvents: OnChildRing(short id, short count).
constexpr DISPID DISPID_COMPOSITE_ONCHILDRING = 1;

// Its template hosts two sample controls (301 visible with initial data,
// 302 hidden without) and an animation control (303). It relays the rings
// of child 301, a sample control's or, in the outer layout, an inner
// composite's, as OnChildRing(301, count).
struct ISampleComposite : IDispatch {
    // How often the layout's initialisation ran.
    virtual HRESULT get_InitCount(LONG* count) = 0;
    // The hosted child `id`, or null.
    virtual HRESULT GetChild(LONG id, IDispatch** child) = 0;
    // Not dispatched: the window of child `id`, hosted or native.
    virtual HRESULT GetChildWindow(LONG id, QWidget** window) = 0;
};
