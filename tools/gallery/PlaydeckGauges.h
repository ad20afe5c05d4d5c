#pragma once
// The console library loaded from a folder with dlopen, and its gauges made
// straight from its class factory and activated in a widget, so that a tool
// can show or time them without a registry. The library stays loaded for as
// long as this object lives; release every gauge before it goes.
#include "com/ComPtr.h"
#include "ole/WindowedControl.h"
#include "ui/Resources.h"

#include <QRect>

#include <filesystem>
#include <string>

class QWidget;

class CPlaydeckGauges {
public:
    // Loads `folder`/Playdeck.so; Loaded() tells whether that worked.
    explicit CPlaydeckGauges(const std::filesystem::path& folder);
    ~CPlaydeckGauges();
    CPlaydeckGauges(const CPlaydeckGauges&) = delete;
    CPlaydeckGauges& operator=(const CPlaydeckGauges&) = delete;

    bool Loaded() const { return m_handle != nullptr; }
    // Why loading failed.
    const std::string& Error() const { return m_error; }
    HMODULE Module() const;
    // Registers the library in the registry in force, so that composites can
    // make their children by class identifier.
    HRESULT Register() const;

    // A new control of class `clsid` with its window in `parent` at `rect`,
    // queried for riid into `control`; its window in `window`.
    HRESULT Create(REFCLSID clsid, REFIID riid, QWidget* parent, const QRect& rect, void** control,
                   QWidget** window) const;

private:
    void* m_handle = nullptr;
    std::string m_error;
};
