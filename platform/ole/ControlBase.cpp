#include "ole/ControlBase.h"

#include "ole/ControlStream.h"
#include "ui/MulDiv.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QtDebug>

#include <new>

namespace {

// Windows here have 96 pixels to the inch; HIMETRIC counts 2540 to it.
constexpr int kPixelsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

void LogFault(const CLSID& clsid, const char* where, const char* what)
{
    qWarning("control %s: a fault in %s was absorbed: %s", GuidToString(clsid).c_str(), where, what);
}

// Runs `body`; an exception it throws is logged with the class and `where`
// and answered with a failure code instead of crossing the component
// boundary or unwinding through Qt's event loop.
template <typename Body>
HRESULT Guarded(const CLSID& clsid, const char* where, Body&& body)
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        LogFault(clsid, where, "out of memory");
        return E_OUTOFMEMORY;
    } catch (const std::exception& fault) {
        LogFault(clsid, where, fault.what());
        return E_UNEXPECTED;
    } catch (...) {
        LogFault(clsid, where, "unknown exception");
        return E_UNEXPECTED;
    }
}

// A put of `value` as IDispatch::Invoke receives it.
struct PutParams : DISPPARAMS {
    explicit PutParams(const VARIANT& value) : argument(value)
    {
        rgvarg = &argument;
        cArgs = 1;
        rgdispidNamedArgs = &named;
        cNamedArgs = 1;
    }
    VARIANT argument;  // borrowed: the call only reads it
    DISPID named = DISPID_PROPERTYPUT;
};

}  // namespace

CControlBase::CControlBase(const ControlClassInfo& info)
    : m_info(info), m_lifetime(info.module), m_dispatch(info.dualIid, info.members)
{
    if (info.eventIid) m_point.Attach(new CConnectionPoint(this, *info.eventIid));
}

CControlBase::~CControlBase()
{
    if (m_point) m_point->Close();
}

ULONG CControlBase::InternalRelease()
{
    const ULONG left = m_refCount.Release();
    if (left != 0) return left;
    // Deactivation may take and drop references of its own (a child's sink
    // keeping the parent alive for one event): hold one meanwhile, so that
    // the count does not reach zero a second time.
    m_refCount.AddRef();
    Deactivate(false);
    delete this;
    return 0;
}

HRESULT CControlBase::FindConnectionPoint(REFIID riid, IConnectionPoint** point)
{
    if (!point) return E_POINTER;
    *point = nullptr;
    if (!m_point || riid != *m_info.eventIid) return CONNECT_E_NOCONNECTION;
    return m_point->QueryInterface(IID_IConnectionPoint, reinterpret_cast<void**>(point));
}

HRESULT CControlBase::GetClassID(CLSID* clsid)
{
    if (!clsid) return E_POINTER;
    *clsid = m_info.clsid;
    return S_OK;
}

HRESULT CControlBase::IsDirty() { return m_bDirty ? S_OK : S_FALSE; }

HRESULT CControlBase::Load(IStream* stream)
{
    SIZEL extent;
    std::vector<CComVariant> values;
    try {
        HRESULT hr = CControlStream::Read(stream, m_info.properties, extent, values);
        if (FAILED(hr)) return hr;
        for (size_t i = 0; i < values.size(); ++i) {
            const PROPERTYDESC& property = m_info.properties[i];
            // A loaded object is ours alone: take it by reference where the
            // control allows it rather than have it copied once more.
            const bool byReference = values[i].vt == VT_DISPATCH && FindMember(property.dispid, DISPATCH_PROPERTYPUTREF);
            PutParams params(values[i]);
            hr = InvokeFromTable(property.dispid, byReference ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT,
                                 &params, nullptr);
            if (FAILED(hr)) return hr;
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    m_extent = extent;
    m_bDirty = false;
    return S_OK;
}

HRESULT CControlBase::Save(IStream* stream, BOOL clearDirty)
{
    try {
        std::vector<CComVariant> values(m_info.properties.size());
        for (size_t i = 0; i < values.size(); ++i) {
            DISPPARAMS none;
            const HRESULT hr = InvokeFromTable(m_info.properties[i].dispid, DISPATCH_PROPERTYGET, &none, &values[i]);
            if (FAILED(hr)) return hr;
        }
        SIZEL extent = m_extent;
        if (m_window) {
            extent.cx = MulDiv(m_window->width(), kHimetricPerInch, kPixelsPerInch);
            extent.cy = MulDiv(m_window->height(), kHimetricPerInch, kPixelsPerInch);
        }
        const HRESULT hr = CControlStream::Write(stream, extent, m_info.properties, values);
        if (SUCCEEDED(hr) && clearDirty) m_bDirty = false;
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CControlBase::GetSizeMax(std::uint64_t* size)
{
    if (!size) return E_POINTER;
    *size = 0;
    CComPtr<IStream> measure;
    HRESULT hr = CreateStreamOnMemory({}, &measure);
    if (SUCCEEDED(hr)) hr = Save(measure, FALSE);
    if (SUCCEEDED(hr)) hr = measure->GetSize(size);
    return hr;
}

HRESULT CControlBase::InitNew() { return S_OK; }

HRESULT CControlBase::CreateControlWindow(QWidget* parent, const QRect& rect, BOOL visible)
{
    if (m_window) return E_UNEXPECTED;
    const HRESULT hr = Guarded(m_info.clsid, "CreateControlWindow", [&] {
        m_window = new CControlWindow(this, parent);
        m_window->setGeometry(rect);
        // Moves arrive without a button held, for the hover hooks.
        m_window->setMouseTracking(true);
        CreateChildren();
        OnCreate();
        m_window->setVisible(visible != FALSE);
        return S_OK;
    });
    if (FAILED(hr)) Deactivate(false);
    return hr;
}

HRESULT CControlBase::GetWindow(QWidget** window)
{
    if (!window) return E_POINTER;
    *window = m_window;
    return S_OK;
}

HRESULT CControlBase::InPlaceDeactivate()
{
    Deactivate(false);
    return S_OK;
}

HRESULT CControlBase::SetSite(IControlSite* site)
{
    m_site = site;
    return S_OK;
}

HRESULT CControlBase::GetPropertyMap(std::span<const PROPERTYDESC>* map)
{
    if (!map) return E_POINTER;
    *map = m_info.properties;
    return S_OK;
}

void CControlBase::WindowDestroyed() { Deactivate(true); }

void CControlBase::Deactivate(bool windowGoing)
{
    // A child closed below may release the last reference to a sink that
    // deactivates this control again: the first call does the work.
    if (!m_window || m_bDeactivating) return;
    m_bDeactivating = true;
    OnInPlaceDeactivate();
    CloseChildren();
    m_site.Release();
    m_bHover = false;
    CControlWindow* window = std::exchange(m_window, nullptr);
    m_bDeactivating = false;
    if (!windowGoing) window->Destroy();
}

bool CControlBase::HandleWindowEvent(QWidget* window, QEvent* event)
{
    bool handled = true;  // a fault ends the event here too
    Guarded(m_info.clsid, "a window event", [&] {
        handled = DispatchWindowEvent(window, event);
        return S_OK;
    });
    return handled;
}

bool CControlBase::DispatchWindowEvent(QWidget* window, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        QPainter painter(window);
        const QColor background = BackgroundColour();
        if (background.isValid()) painter.fillRect(window->rect(), background);
        OnDraw(painter, window->rect());
        return true;
    }
    if (event->type() == CControlMessageEvent::EventType()) {
        const auto* message = static_cast<CControlMessageEvent*>(event);
        OnMessage(message->Message(), message->WParam(), message->LParam());
        return true;
    }
    if (HandleMouseEvent(event)) return true;
    return OnWindowEvent(event);
}

bool CControlBase::HandleMouseEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
        if (!m_bHover && CanHover()) {
            m_bHover = true;
            OnMouseEnter();
        }
        return true;
    case QEvent::Leave:
        // A control that may not hover now (disabled) keeps a hover it had:
        // the look stays until it may hover again, or the control ends it.
        if (m_bHover && CanHover()) {
            m_bHover = false;
            OnMouseLeave();
        }
        return true;
    case QEvent::MouseMove: {
        // A hover ended by the control (EndHover) starts again with a move,
        // as long as the pointer is still over the window.
        if (!m_bHover && CanHover()) {
            m_bHover = true;
            OnMouseEnter();
        }
        if (m_window) OnMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        event->accept();
        return true;
    }
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) OnLButtonDown(mouse->position().toPoint());
        event->accept();
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        event->accept();
        return true;
    default: return false;
    }
}

void CControlBase::SetCursorShape(Qt::CursorShape shape)
{
    if (m_window) m_window->setCursor(shape);
}



void CControlBase::OnDraw(QPainter&, const QRect&) {}

bool CControlBase::OnWindowEvent(QEvent*) { return false; }

void CControlBase::OnMessage(unsigned, WPARAM, LPARAM) {}

void CControlBase::FireViewChange()
{
    if (m_window) m_window->update();
}

void CControlBase::SendOnDataChange()
{
    if (CComPtr<IControlSite> site = m_site) site->OnDataChange();
}

void CControlBase::PropertyChanged()
{
    SetDirty();
    FireViewChange();
    SendOnDataChange();
}

HRESULT CControlBase::PutStock(DISPID id, const VARIANT& value, bool byReference)
{
    PutParams params(value);
    return InvokeFromTable(id, byReference ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT, &params, nullptr);
}

HRESULT CControlBase::InvokeStock(DISPID member, INVOKEKIND kind, CDispatchCall& call)
{
    if (kind == INVOKE_PROPERTYGET || kind == INVOKE_FUNC) return m_stock.Get(member, call);
    const HRESULT hr = m_stock.Put(member, kind == INVOKE_PROPERTYPUTREF, call);
    if (FAILED(hr)) return hr;
    SetDirty();
    OnStockPropertyChanged(member);
    FireViewChange();
    SendOnDataChange();
    return S_OK;
}

void CControlBase::FireEvent(DISPID id, const std::vector<CComVariant>& args)
{
    if (m_point) m_point->Fire(id, args);
}

bool CControlBase::PostMessage(unsigned message, WPARAM wParam, LPARAM lParam)
{
    if (!m_window) return false;
    QCoreApplication::postEvent(m_window, new CControlMessageEvent(message, wParam, lParam));
    return true;
}

QWidget* CControlBase::Window() const { return m_window; }

HMODULE CControlBase::ClassModule() const { return GetModuleFromAddress(&m_info); }

const MEMBERDESC* CControlBase::FindMember(DISPID member, WORD flags) const
{
    // A caller that cannot tell a method from a property get sends both
    // flags; the table decides which one the member is.
    const auto find = [&](INVOKEKIND kind) -> const MEMBERDESC* {
        for (const MEMBERDESC& desc : m_info.members)
            if (desc.memid == member && desc.invkind == kind) return &desc;
        return nullptr;
    };
    if (flags & DISPATCH_PROPERTYPUTREF) return find(INVOKE_PROPERTYPUTREF);
    if (flags & DISPATCH_PROPERTYPUT) return find(INVOKE_PROPERTYPUT);
    const MEMBERDESC* found = nullptr;
    if (flags & DISPATCH_METHOD) found = find(INVOKE_FUNC);
    if (!found && (flags & DISPATCH_PROPERTYGET)) found = find(INVOKE_PROPERTYGET);
    return found;
}

HRESULT CControlBase::InvokeFromTable(DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result)
{
    if (result) VariantInit(result);
    const MEMBERDESC* desc = FindMember(member, flags);
    if (!desc) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none;
    if (!params) params = &none;
    const bool isPut = desc->invkind == INVOKE_PROPERTYPUT || desc->invkind == INVOKE_PROPERTYPUTREF;
    const UINT expected = isPut ? 1 : static_cast<UINT>(desc->cParams);
    if (params->cArgs != expected) return DISP_E_BADPARAMCOUNT;
    CDispatchCall call(params, result);
    return Guarded(m_info.clsid, "a dispatched call", [&] {
        if (CStockProperties::IsStock(member)) return InvokeStock(member, desc->invkind, call);
        return InvokeMember(member, desc->invkind, call);
    });
}
