#pragma once
// CControlBase: what every control of ours stands on. A concrete control
// derives from it and from its dual interface, writes the slots of that
// interface, and answers IDispatch::Invoke with one hook, InvokeMember, that
// maps a dispatch id to its own slots. The base gives it:
// - IDispatch from the interface's member table (names, type info, the
//   check of invoke kind and argument count before the hook is called);
// - the stock properties (CStockProperties) the table declares under their
//   standard ids, with their puts' common steps, so that a control writes
//   only what is its own;
// - its event interface through a connection point, fired synchronously;
// - IPersistStreamInit over its property map (CControlStream), the
//   properties read and written through its own dispatch table, and the map
//   itself for hosts that write initial data (IControlPropertyMap);
// - its window (CControlWindow), with painting, posted messages, typed
//   mouse hooks with a hover flag, and the in-place deactivation hook;
// - the module's object count for as long as the object lives.
//
// A concrete control is `final`, keeps its destructor private and puts
// BRAINWHEEL_CONTROL_IMPL(IMyControl, IID_IMyControl) at the top of its body.
// Ownership: the control owns its window (see CControlWindow); its last
// Release deactivates it (closing children and the window) and deletes it.
//
// Re-entrancy. A sink may do anything from inside an event, down to closing
// the whole console from an answer click deep in a chain of composites. So:
// - fire events as the last step of whatever fires them, after the state
//   they report is settled;
// - call a child through a local reference (CComPtr copy) across anything
//   that can fire, never through a member that a sink can clear;
// - keep no raw pointer to a child's window across such a call.
// The window and the control stay alive until the event handling returns
// (CControlWindow defers its deletion; the window holds a reference to its
// control while it dispatches).
#include "com/ComModule.h"
#include "com/ComPtr.h"
#include "com/ConnectionPoint.h"
#include "com/DispatchHelper.h"
#include "com/UnknownImpl.h"
#include "ole/ControlWindow.h"
#include "ole/DispatchCall.h"
#include "ole/Persist.h"
#include "ole/PropertyMap.h"
#include "ole/StockProperties.h"
#include "ole/WindowedControl.h"
#include "ui/Resources.h"

#include <QColor>
#include <QPoint>
#include <QRect>

#include <span>
#include <vector>

class QPainter;

// Everything the framework needs to know about a control class; one static
// instance per class, in the module that serves the class (its resources
// are looked up there).
struct ControlClassInfo {
    CLSID clsid;
    IID dualIid;
    std::span<const MEMBERDESC> members;  // the dual interface's dispatch table
    const IID* eventIid;                  // the event interface, or null
    std::span<const PROPERTYDESC> properties;
    CComModule& module;
};

class CControlBase : public IConnectionPointContainer,
                     public IPersistStreamInit,
                     public IWindowedControl,
                     public IControlPropertyMap {
public:
    // IConnectionPointContainer
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // IPersistStreamInit
    HRESULT GetClassID(CLSID* clsid) override;
    HRESULT IsDirty() override;
    HRESULT Load(IStream* stream) override;
    HRESULT Save(IStream* stream, BOOL clearDirty) override;
    HRESULT GetSizeMax(std::uint64_t* size) override;
    HRESULT InitNew() override;

    // IWindowedControl
    HRESULT CreateControlWindow(QWidget* parent, const QRect& rect, BOOL visible) override;
    HRESULT GetWindow(QWidget** window) override;
    HRESULT InPlaceDeactivate() override;
    HRESULT SetSite(IControlSite* site) override;

    // IControlPropertyMap
    HRESULT GetPropertyMap(std::span<const PROPERTYDESC>* map) override;

    // For CControlWindow.
    IUnknown* ControllingUnknown() { return static_cast<IConnectionPointContainer*>(this); }
    bool HandleWindowEvent(QWidget* window, QEvent* event);
    void WindowDestroyed();

protected:
    explicit CControlBase(const ControlClassInfo& info);
    virtual ~CControlBase();
    CControlBase(const CControlBase&) = delete;
    CControlBase& operator=(const CControlBase&) = delete;

    // The hook: call the member `id` of the kind the table gave (a method,
    // a property get, put or putref); the argument count is already checked.
    virtual HRESULT InvokeMember(DISPID id, INVOKEKIND kind, CDispatchCall& call) = 0;
    // Defined by BRAINWHEEL_CONTROL_IMPL.
    virtual IDispatch* DualInterface() = 0;

    // The window's moments, all on the window's thread:
    // the window exists (composites have made their children by now);
    virtual void OnCreate() {}
    // paint `bounds` (the whole client area);
    virtual void OnDraw(QPainter& painter, const QRect& bounds);
    // any other event; true when handled;
    virtual bool OnWindowEvent(QEvent* event);
    // a message posted with PostMessage;
    virtual void OnMessage(unsigned message, WPARAM wParam, LPARAM lParam);
    // in-place deactivation: drop the connections to child controls and the
    // references to them. The window still exists here.
    virtual void OnInPlaceDeactivate() {}
    // The colour the window is filled with before OnDraw; invalid: none.
    virtual QColor BackgroundColour() const { return {}; }

    // Mouse hooks, on the window's thread. Every mouse event that reaches a
    // control's window ends there: it never travels on to the parent's.
    // The pointer came over the window (or moved while no hover was on) and
    // CanHover allowed it: the hover flag is now set.
    virtual void OnMouseEnter() {}
    // The pointer left the window while the hover flag was set and CanHover
    // allowed it; the flag is clear now. Left while CanHover refuses, the
    // flag stays set.
    virtual void OnMouseLeave() {}
    virtual void OnMouseMove(const QPoint&) {}
    virtual void OnLButtonDown(const QPoint&) {}
    // Whether the pointer may start a hover now, or end one by leaving.
    virtual bool CanHover() const { return true; }
    bool IsHovered() const { return m_bHover; }
    // Clears the hover flag without OnMouseLeave; the next move may set it again.
    void EndHover() { m_bHover = false; }
    // The cursor shown over the window (Qt::PointingHandCursor for the hand).
    void SetCursorShape(Qt::CursorShape shape);

    // The stock properties' values; a control sets its defaults here.
    CStockProperties& Stock() { return m_stock; }
    const CStockProperties& Stock() const { return m_stock; }
    // A stock property was put and stored; the redraw and the data-change
    // notice follow. A control mirrors it to its children here.
    virtual void OnStockPropertyChanged(DISPID) {}
    // The way in for the stock slots of a dual interface: the put of stock
    // property `id` with `value`, as a dispatched put would do it.
    HRESULT PutStock(DISPID id, const VARIANT& value, bool byReference);

    // The steps after a property put.
    void SetDirty(bool dirty = true) { m_bDirty = dirty; }
    void FireViewChange();   // asks for a repaint
    void SendOnDataChange(); // tells the site
    // All three, as a persisted property's put ends.
    void PropertyChanged();
    // Calls every sink of the event interface with the arguments in their
    // declared order (BOOL and short arguments as CComVariant::I2).
    void FireEvent(DISPID id, const std::vector<CComVariant>& args = {});
    // Posts a private message to the control's window; false without a
    // window. A message still queued when the window goes is dropped.
    bool PostMessage(unsigned message, WPARAM wParam = 0, LPARAM lParam = 0);

    QWidget* Window() const;
    // The module that serves this class: its resources and clips.
    HMODULE ClassModule() const;
    const CDispatchHelper& DispatchTable() const { return m_dispatch; }
    // IUnknown and IDispatch::Invoke as BRAINWHEEL_CONTROL_IMPL forwards them.
    ULONG InternalAddRef() { return m_refCount.AddRef(); }
    ULONG InternalRelease();
    HRESULT InvokeFromTable(DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result);

private:
    // For CCompositeControl: after the window is made, before OnCreate; and
    // at deactivation, after OnInPlaceDeactivate.
    virtual void CreateChildren() {}
    virtual void CloseChildren() {}
    const MEMBERDESC* FindMember(DISPID member, WORD flags) const;
    HRESULT InvokeStock(DISPID member, INVOKEKIND kind, CDispatchCall& call);
    bool DispatchWindowEvent(QWidget* window, QEvent* event);
    bool HandleMouseEvent(QEvent* event);
    void Deactivate(bool windowGoing);

    const ControlClassInfo& m_info;
    CRefCount m_refCount;
    CComModule::ObjectLifetime m_lifetime;
    CDispatchHelper m_dispatch;
    CComPtr<CConnectionPoint> m_point;  // null without an event interface
    CControlWindow* m_window = nullptr;
    CComPtr<IControlSite> m_site;
    SIZEL m_extent;  // HIMETRIC, as loaded; the window's size while there is one
    CStockProperties m_stock;
    bool m_bDirty = false;
    bool m_bHover = false;
    bool m_bDeactivating = false;  // Deactivate is under way: a second call does nothing
};

// The IUnknown and IDispatch of a concrete control. The reference count
// lives in the base, so that the last Release deactivates the control while
// the concrete class is still whole (its OnInPlaceDeactivate runs) and only
// then deletes it.
#define BRAINWHEEL_CONTROL_IMPL(Dual, dualIid)                                                             \
public:                                                                                                  \
    HRESULT QueryInterface(REFIID riid, void** object) override                                          \
    {                                                                                                    \
        const InterfaceEntry entries[] = {                                                               \
            {&dualIid, static_cast<Dual*>(this)},                                                        \
            {&IID_IDispatch, static_cast<Dual*>(this)},                                                  \
            {&IID_IConnectionPointContainer, static_cast<IConnectionPointContainer*>(this)},             \
            {&IID_IPersistStreamInit, static_cast<IPersistStreamInit*>(this)},                           \
            {&IID_IPersist, static_cast<IPersistStreamInit*>(this)},                                     \
            {&IID_IWindowedControl, static_cast<IWindowedControl*>(this)},                               \
            {&IID_IControlPropertyMap, static_cast<IControlPropertyMap*>(this)}};                        \
        return QueryInterfaceTable(entries, static_cast<int>(std::size(entries)), riid, object);         \
    }                                                                                                    \
    ULONG AddRef() override { return InternalAddRef(); }                                                 \
    ULONG Release() override { return InternalRelease(); }                                               \
    HRESULT GetTypeInfoCount(UINT* count) override { return DispatchTable().GetTypeInfoCount(count); }  \
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override                               \
    {                                                                                                    \
        return DispatchTable().GetTypeInfo(index, lcid, info);                                           \
    }                                                                                                    \
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override    \
    {                                                                                                    \
        return DispatchTable().GetIDsOfNames(riid, names, count, lcid, ids);                             \
    }                                                                                                    \
    HRESULT Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,         \
                   EXCEPINFO*, UINT*) override                                                           \
    {                                                                                                    \
        return InvokeFromTable(member, flags, params, result);                                           \
    }                                                                                                    \
                                                                                                         \
private:                                                                                                 \
    IDispatch* DualInterface() override { return static_cast<Dual*>(this); }
