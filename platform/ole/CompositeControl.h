#pragma once
// CCompositeControl: a control whose window is laid out from a dialog
// template of its module (resource "DIALOG" <id>, CDialogTemplate) with the
// initial properties its PROPS lines give (CInitialProperties) or, for a
// child without such lines, the saved initial data of the same number
// (resource "240", CDialogInitData). When its window is made it creates
// every child of the template: hosted controls by class identifier through
// the registry, fed their initial data, and native windows ("SysAnimate32",
// a CAnimateCtrl). Whatever cannot be made or loaded is logged with the
// module, the template, the line and the reason, never silently dropped. Then OnInitDialog runs,
// once per window. Children are found by id: hosted ones through their own
// interfaces, native ones as widgets. At in-place deactivation the concrete
// control's OnInPlaceDeactivate drops its references to children first; the
// framework then disconnects every sink made with AdviseChild and closes the
// children.
#include "ole/ControlBase.h"
#include "ole/ControlHost.h"

#include <QPointer>

#include <memory>

class CChildEventSink;
class CDialogInitData;
struct DialogItem;

class CCompositeControl : public CControlBase {
protected:
    CCompositeControl(const ControlClassInfo& info, int dialogId);
    ~CCompositeControl() override;

    // The layout's children exist; the result is kept for the curious
    // (InitDialogResult), as a dialog keeps what WM_INITDIALOG answered.
    virtual bool OnInitDialog() { return true; }
    bool InitDialogResult() const { return m_bInitResult; }

    // The hosted child `id` queried for riid; E_NOINTERFACE when absent.
    HRESULT GetDlgControl(int id, REFIID riid, void** object) const;
    // The window of child `id`, hosted or native; null when absent.
    QWidget* GetDlgItem(int id) const;

    // Connects to the event interface `eventIid` of hosted child `id`; its
    // events arrive at OnChildEvent until deactivation.
    HRESULT AdviseChild(int id, REFIID eventIid);
    virtual HRESULT OnChildEvent(int id, DISPID event, CDispatchCall& call);

private:
    struct Child {
        int id;
        std::unique_ptr<CControlHost> host;  // a hosted control, or null
        QPointer<QWidget> native;            // a native window, or null
    };
    struct Connection {
        CComPtr<IConnectionPoint> point;
        DWORD cookie;
        CComPtr<CChildEventSink> sink;
    };

    void CreateChildren() override;
    void CloseChildren() override;
    void CreateChild(const DialogItem& item, const CDialogInitData& initData);
    // Logs a fault of this control's template.
    void Warn(const std::string& what) const;

    int m_dialogId;
    std::vector<Child> m_children;
    std::vector<Connection> m_connections;
    bool m_bInitResult = false;
};
