#pragma once
// CFontObject: the attributes of a font with the font interfaces on top.
#include "com/UnknownImpl.h"
#include "ole/Font.h"
#include "ole/Persist.h"

#include <string>

class CFontObject final : public IFont, public IFontDisp, public IPersistStream {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_IFont, static_cast<IFont*>(this)},
                             {&IID_IFontDisp, static_cast<IFontDisp*>(this)},
                             {&IID_IDispatch, static_cast<IFontDisp*>(this)},
                             {&IID_IPersistStream, static_cast<IPersistStream*>(this)},
                             {&IID_IPersist, static_cast<IPersistStream*>(this)})

public:
    explicit CFontObject(const FONTDESC& desc);

    // IFont
    HRESULT get_Name(BSTR* name) override;
    HRESULT put_Name(BSTR name) override;
    HRESULT get_Size(CY* size) override;
    HRESULT put_Size(CY size) override;
    HRESULT get_Weight(SHORT* weight) override;
    HRESULT put_Weight(SHORT weight) override;
    HRESULT get_Charset(SHORT* charset) override;
    HRESULT put_Charset(SHORT charset) override;
    HRESULT get_Italic(BOOL* italic) override;
    HRESULT put_Italic(BOOL italic) override;
    HRESULT get_Underline(BOOL* underline) override;
    HRESULT put_Underline(BOOL underline) override;
    HRESULT get_Strikethrough(BOOL* strikethrough) override;
    HRESULT put_Strikethrough(BOOL strikethrough) override;
    HRESULT Clone(IFont** font) override;
    HRESULT IsEqual(IFont* other) override;
    HRESULT GetQFont(QFont* font) override;

    // IDispatch
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override;

    // IPersistStream: a version byte (1), the character set (16 bits), a
    // flags byte (1 italic, 2 underline, 4 strike-through), the weight (16
    // bits), the size in 1/10000 point (32 bits) and the name as text.
    HRESULT GetClassID(CLSID* clsid) override;
    HRESULT IsDirty() override;
    HRESULT Load(IStream* stream) override;
    HRESULT Save(IStream* stream, BOOL clearDirty) override;
    HRESULT GetSizeMax(std::uint64_t* size) override;

private:
    ~CFontObject() = default;
    FONTDESC Describe() const;
    HRESULT GetProperty(DISPID member, VARIANT& value);
    HRESULT PutProperty(DISPID member, const DISPPARAMS* params);

    std::u16string m_name;
    CY m_size;  // 0..FONTSIZE_MAX
    SHORT m_weight;
    SHORT m_charset;
    bool m_italic;
    bool m_underline;
    bool m_strikethrough;
    bool m_dirty = false;
};
