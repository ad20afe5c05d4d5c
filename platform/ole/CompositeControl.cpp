#include "ole/CompositeControl.h"

#include "com/AsciiText.h"
#include "ole/ChildEventSink.h"
#include "ole/DialogInitData.h"
#include "ole/DialogTemplate.h"
#include "ui/AnimateCtrl.h"

#include <QFileInfo>
#include <QFont>
#include <QtDebug>

#include <string_view>

namespace {

constexpr std::string_view kAnimateClass = "SysAnimate32";

// The bytes of a resource, empty when the module lacks it.
std::string_view ResourceBytes(HMODULE module, int id, std::string_view type)
{
    const HRSRC resource = FindResourceA(module, id, type);
    if (!resource) return {};
    return std::string_view(static_cast<const char*>(LockResource(resource)), SizeofResource(module, resource));
}

}  // namespace

CCompositeControl::CCompositeControl(const ControlClassInfo& info, int dialogId)
    : CControlBase(info), m_dialogId(dialogId)
{
}

CCompositeControl::~CCompositeControl() = default;

void CCompositeControl::CreateChildren()
{
    // A template that is missing or does not parse leaves the window empty;
    // OnInitDialog still runs and finds no children, as it must cope with.
    CDialogTemplate dialog;
    std::string error;
    const std::string_view text = ResourceBytes(ClassModule(), m_dialogId, "DIALOG");
    if (text.empty()) {
        Warn("the module has no such template");
    } else if (!CDialogTemplate::Parse(text, dialog, error)) {
        Warn(error);
    } else {
        if (dialog.FontPoints() > 0) Window()->setFont(QFont(QString::fromStdString(dialog.FontName()), dialog.FontPoints()));
        // Saved initial data, for children without PROPS lines.
        const std::string_view block = ResourceBytes(ClassModule(), m_dialogId, "240");
        CDialogInitData initData;
        if (!CDialogInitData::Parse(reinterpret_cast<const BYTE*>(block.data()), block.size(), initData)) {
            Warn("its initial-data block 240 is damaged and was ignored");
            initData = CDialogInitData();
        }
        for (const DialogItem& item : dialog.Items()) CreateChild(item, initData);
    }
    m_bInitResult = OnInitDialog();
}

void CCompositeControl::CreateChild(const DialogItem& item, const CDialogInitData& initData)
{
    const DialogPixels pixels = CDialogTemplate::ToPixels(item.x, item.y, item.cx, item.cy);
    const QRect rect(pixels.x, pixels.y, pixels.cx, pixels.cy);
    if (item.className.empty()) {
        auto host = std::make_unique<CControlHost>();
        std::vector<std::string> faults;
        const HRESULT hr = host->CreateFromItem(item, Window(), rect, initData.ForControl(item.id), faults);
        for (const std::string& fault : faults) Warn(fault);
        if (FAILED(hr)) {
            Warn(DescribeCreateFailure(item, hr));
            return;
        }
        m_children.push_back({item.id, std::move(host), nullptr});
        return;
    }
    if (SameAsciiText(item.className, kAnimateClass)) {
        auto* animate = new CAnimateCtrl(Window());
        animate->setGeometry(rect);
        animate->setVisible(item.visible);
        m_children.push_back({item.id, nullptr, animate});
        return;
    }
    Warn("line " + std::to_string(item.line) + ": control " + std::to_string(item.id) + " of window class " +
         item.className + " is not made here");
}

void CCompositeControl::Warn(const std::string& what) const
{
    const QString module = QFileInfo(QString::fromStdString(GetModuleFileName(ClassModule()))).fileName();
    qWarning("%s DIALOG %d: %s", qPrintable(module), m_dialogId, what.c_str());
}

void CCompositeControl::CloseChildren()
{
    for (Connection& connection : m_connections) {
        connection.point->Unadvise(connection.cookie);
        connection.sink->Disconnect();
    }
    m_connections.clear();
    std::vector<Child> children;
    children.swap(m_children);
    for (Child& child : children) {
        if (child.host) child.host->Close();
        delete child.native.data();
    }
}

HRESULT CCompositeControl::GetDlgControl(int id, REFIID riid, void** object) const
{
    if (!object) return E_POINTER;
    *object = nullptr;
    for (const Child& child : m_children)
        if (child.id == id && child.host) return child.host->QueryControl(riid, object);
    return E_NOINTERFACE;
}

QWidget* CCompositeControl::GetDlgItem(int id) const
{
    for (const Child& child : m_children)
        if (child.id == id) return child.host ? child.host->Window() : child.native.data();
    return nullptr;
}

HRESULT CCompositeControl::AdviseChild(int id, REFIID eventIid)
{
    CComPtr<IConnectionPointContainer> container;
    HRESULT hr = GetDlgControl(id, IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (FAILED(hr)) return hr;
    CComPtr<IConnectionPoint> point;
    hr = container->FindConnectionPoint(eventIid, &point);
    if (FAILED(hr)) return hr;

    CComPtr<CChildEventSink> sink;
    sink.Attach(new CChildEventSink([this, id](DISPID event, DISPPARAMS* params) {
        CComPtr<IUnknown> keepAlive(ControllingUnknown());
        CDispatchCall call(params, nullptr);
        return OnChildEvent(id, event, call);
    }));
    DWORD cookie = 0;
    hr = point->Advise(static_cast<IDispatch*>(sink.get()), &cookie);
    if (FAILED(hr)) return hr;
    m_connections.push_back({point, cookie, sink});
    return S_OK;
}

HRESULT CCompositeControl::OnChildEvent(int, DISPID, CDispatchCall&) { return S_OK; }
