#pragma once
// Objects that save themselves into a stream and load back from one: fonts,
// pictures and the controls.
#include "com/Unknown.h"
#include "ole/Stream.h"

// A size in HIMETRIC (0.01 mm).
struct SIZEL {
    LONG cx = 0;
    LONG cy = 0;
};

struct IPersist : IUnknown {
    virtual HRESULT GetClassID(CLSID* clsid) = 0;
};
constexpr IID IID_IPersist = {0x0000010C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct IPersistStream : IPersist {
    // S_OK when changed since the last save that cleared the mark, else S_FALSE.
    virtual HRESULT IsDirty() = 0;
    // Reads from the stream's current position, leaving it after the data.
    virtual HRESULT Load(IStream* stream) = 0;
    virtual HRESULT Save(IStream* stream, BOOL clearDirty) = 0;
    // An upper bound of what Save writes.
    virtual HRESULT GetSizeMax(std::uint64_t* size) = 0;
};
constexpr IID IID_IPersistStream = {0x00000109, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// What a control answers: the stream methods plus a start without data.
struct IPersistStreamInit : IPersist {
    virtual HRESULT IsDirty() = 0;
    virtual HRESULT Load(IStream* stream) = 0;
    virtual HRESULT Save(IStream* stream, BOOL clearDirty) = 0;
    virtual HRESULT GetSizeMax(std::uint64_t* size) = 0;
    virtual HRESULT InitNew() = 0;
};
constexpr IID IID_IPersistStreamInit = {0x7FD52380, 0x4E07, 0x101B, {0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13}};

// Property puts by reference (putref) complete the three invoke kinds of the
// component runtime.
constexpr WORD DISPATCH_PROPERTYPUTREF = 8;
constexpr INVOKEKIND INVOKE_PROPERTYPUTREF = static_cast<INVOKEKIND>(8);

// Creates the object of class `clsid` and has it load its persistent data
// from the stream: fonts and pictures here, any other class through the
// registry (it must answer IPersistStream).
HRESULT OleLoadObject(REFCLSID clsid, IStream* stream, REFIID riid, void** object);
// Writes the object's class identifier and then its persistent data.
HRESULT OleSaveObject(IUnknown* object, IStream* stream);
