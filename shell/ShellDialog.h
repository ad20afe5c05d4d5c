#pragma once
// CShellDialog: a window of the game program laid out from one of its
// dialog templates ("DIALOG" resources, CDialogTemplate). It makes the
// template's native controls (pictures, picture buttons, texts, a list, a
// check box, push buttons, empty frames) and hosts its controls by class
// identifier, then hands clicks and list selections to the concrete dialog.
// A dialog may paint a background picture at its natural size over black,
// which is what shows wherever the picture does not reach.
#include "com/ComPtr.h"
#include "ole/ControlHost.h"
#include "ole/Picture.h"

#include <QDialog>
#include <QImage>

#include <memory>
#include <vector>

struct DialogItem;

class CShellDialog : public QDialog {
public:
    enum class Kind {
        TopLevel,  // a window of its own
        Child,     // a borderless screen inside its parent
    };

    // Makes the window and its controls from template `templateId`. Whatever
    // cannot be made is logged and left out.
    CShellDialog(int templateId, Kind kind, QWidget* parent);
    ~CShellDialog() override;

    // The control `id`, null when the template had none or it couldn't be made.
    QWidget* GetDlgItem(int id) const;
    template <typename T>
    T* DlgItem(int id) const { return dynamic_cast<T*>(GetDlgItem(id)); }
    // How the hosted control `id` was made: its failure, or S_OK.
    HRESULT HostResult(int id) const;
    // The hosted control `id`, null when it wasn't made.
    IUnknown* HostedControl(int id) const;
    // Shows or hides control `id`, when it exists.
    void ShowItem(int id, bool show);

protected:
    // A click on picture button, check box or push button `id`.
    virtual void OnCommand(int /*id*/) {}
    // The selection of list `id` changed at the player's hand.
    virtual void OnSelChange(int /*id*/) {}

    // Answers every control-colour query with the black brush: the window's
    // background, and what the background picture leaves uncovered, is black.
    void UseBlackBackground();
    // The background picture, painted from the top-left corner at its
    // natural size; null for none.
    CComPtr<IPictureDisp> m_pBackground;

    void paintEvent(QPaintEvent* event) override;
    // A screen inside another window leaves Escape to that window rather
    // than hiding itself.
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Item {
        int id;
        QWidget* window;    // owned by this window as a child widget
        HRESULT hr;         // for a hosted control: how its creation went
        std::unique_ptr<CControlHost> host;
    };

    void CreateItem(const DialogItem& item);
    void Warn(const std::string& what) const;

    int m_templateId;
    Kind m_kind;
    QImage m_composed;                  // the background over black, at the window's size
    CComPtr<IPictureDisp> m_pComposedFrom;  // the picture m_composed shows
    std::vector<Item> m_items;
};
