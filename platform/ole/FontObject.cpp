#include "ole/FontObject.h"

#include "com/DispatchHelper.h"
#include "ole/StreamReader.h"
#include "ole/StreamWriter.h"

#include <QFont>
#include <QString>

#include <algorithm>
#include <new>

namespace {

constexpr BYTE kStreamVersion = 1;
constexpr BYTE kItalic = 1, kUnderline = 2, kStrikethrough = 4;

constexpr MEMBERDESC kMembers[] = {
    {DISPID_FONT_NAME, u"Name", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_FONT_NAME, u"Name", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_FONT_SIZE, u"Size", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_FONT_SIZE, u"Size", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_FONT_BOLD, u"Bold", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_FONT_BOLD, u"Bold", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_FONT_ITALIC, u"Italic", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_FONT_ITALIC, u"Italic", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_FONT_UNDER, u"Underline", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_FONT_UNDER, u"Underline", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_FONT_STRIKE, u"Strikethrough", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_FONT_STRIKE, u"Strikethrough", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_FONT_WEIGHT, u"Weight", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_FONT_WEIGHT, u"Weight", INVOKE_PROPERTYPUT, 1, u""},
    {DISPID_FONT_CHARSET, u"Charset", INVOKE_PROPERTYGET, 0, u""},
    {DISPID_FONT_CHARSET, u"Charset", INVOKE_PROPERTYPUT, 1, u""},
};

// The getters and setters of the plain properties.
template <typename T, typename V>
HRESULT CopyOut(T* out, const V& value)
{
    if (!out) return E_POINTER;
    *out = static_cast<T>(value);
    return S_OK;
}

template <typename T>
HRESULT Change(T& field, T value, bool& dirty)
{
    field = value;
    dirty = true;
    return S_OK;
}

CY SaneSize(std::int64_t size) { return CY{std::clamp<std::int64_t>(size, 0, FONTSIZE_MAX)}; }

const CDispatchHelper& Dispatch()
{
    static const CDispatchHelper helper(IID_IFontDisp, kMembers);
    return helper;
}

}  // namespace

HRESULT OleCreateFontIndirect(const FONTDESC& desc, REFIID riid, void** font)
{
    if (!font) return E_POINTER;
    *font = nullptr;
    return HandOutNewObject(new (std::nothrow) CFontObject(desc), riid, font);
}

CFontObject::CFontObject(const FONTDESC& desc)
    : m_name(desc.lpstrName ? desc.lpstrName : u""),
      m_size(SaneSize(desc.cySize.int64)),
      m_weight(desc.sWeight),
      m_charset(desc.sCharset),
      m_italic(desc.fItalic),
      m_underline(desc.fUnderline),
      m_strikethrough(desc.fStrikethrough)
{
}

FONTDESC CFontObject::Describe() const
{
    FONTDESC desc;
    desc.lpstrName = m_name.c_str();
    desc.cySize = m_size;
    desc.sWeight = m_weight;
    desc.sCharset = m_charset;
    desc.fItalic = m_italic;
    desc.fUnderline = m_underline;
    desc.fStrikethrough = m_strikethrough;
    return desc;
}

HRESULT CFontObject::get_Name(BSTR* name)
{
    if (!name) return E_POINTER;
    *name = SysAllocStringLen(m_name.data(), static_cast<UINT>(m_name.size()));
    return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT CFontObject::put_Name(BSTR name)
{
    m_name.assign(name ? name : u"", SysStringLen(name));
    m_dirty = true;
    return S_OK;
}

HRESULT CFontObject::get_Size(CY* size) { return CopyOut(size, m_size); }

HRESULT CFontObject::put_Size(CY size)
{
    if (size.int64 < 0) return E_INVALIDARG;
    m_size = SaneSize(size.int64);
    m_dirty = true;
    return S_OK;
}

HRESULT CFontObject::get_Weight(SHORT* weight) { return CopyOut(weight, m_weight); }

HRESULT CFontObject::put_Weight(SHORT weight) { return Change(m_weight, weight, m_dirty); }

HRESULT CFontObject::get_Charset(SHORT* charset) { return CopyOut(charset, m_charset); }

HRESULT CFontObject::put_Charset(SHORT charset) { return Change(m_charset, charset, m_dirty); }

HRESULT CFontObject::get_Italic(BOOL* italic) { return CopyOut(italic, m_italic); }

HRESULT CFontObject::put_Italic(BOOL italic) { return Change(m_italic, italic != 0, m_dirty); }

HRESULT CFontObject::get_Underline(BOOL* underline) { return CopyOut(underline, m_underline); }

HRESULT CFontObject::put_Underline(BOOL underline) { return Change(m_underline, underline != 0, m_dirty); }

HRESULT CFontObject::get_Strikethrough(BOOL* strikethrough) { return CopyOut(strikethrough, m_strikethrough); }

HRESULT CFontObject::put_Strikethrough(BOOL strikethrough) { return Change(m_strikethrough, strikethrough != 0, m_dirty); }

HRESULT CFontObject::Clone(IFont** font)
{
    if (!font) return E_POINTER;
    return OleCreateFontIndirect(Describe(), IID_IFont, reinterpret_cast<void**>(font));
}

HRESULT CFontObject::IsEqual(IFont* other)
{
    if (!other) return E_POINTER;
    CComBSTR name;
    CY size;
    SHORT weight = 0, charset = 0;
    BOOL italic = FALSE, underline = FALSE, strike = FALSE;
    if (FAILED(other->get_Name(&name)) || FAILED(other->get_Size(&size)) || FAILED(other->get_Weight(&weight)) ||
        FAILED(other->get_Charset(&charset)) || FAILED(other->get_Italic(&italic)) ||
        FAILED(other->get_Underline(&underline)) || FAILED(other->get_Strikethrough(&strike)))
        return S_FALSE;
    const bool sameName = QString::fromStdU16String(name.str())
                              .compare(QString::fromStdU16String(m_name), Qt::CaseInsensitive) == 0;
    const bool same = sameName && size.int64 == m_size.int64 && weight == m_weight && charset == m_charset &&
                      (italic != 0) == m_italic && (underline != 0) == m_underline &&
                      (strike != 0) == m_strikethrough;
    return same ? S_OK : S_FALSE;
}

HRESULT CFontObject::GetQFont(QFont* font)
{
    if (!font) return E_POINTER;
    QFont result(QString::fromStdU16String(m_name));
    if (m_size.int64 > 0) result.setPointSizeF(double(m_size.int64) / 10000.0);
    // Desktop weights run 1..1000, Qt's the same since Qt 6.
    result.setWeight(static_cast<QFont::Weight>(qBound(1, int(m_weight ? m_weight : FW_NORMAL), 1000)));
    result.setItalic(m_italic);
    result.setUnderline(m_underline);
    result.setStrikeOut(m_strikethrough);
    *font = result;
    return S_OK;
}

HRESULT CFontObject::GetTypeInfoCount(UINT* count) { return Dispatch().GetTypeInfoCount(count); }

HRESULT CFontObject::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info)
{
    return Dispatch().GetTypeInfo(index, lcid, info);
}

HRESULT CFontObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids)
{
    return Dispatch().GetIDsOfNames(riid, names, count, lcid, ids);
}

HRESULT CFontObject::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO*, UINT*)
{
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return PutProperty(member, params);
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    CComVariant value;
    const HRESULT hr = GetProperty(member, value);
    if (FAILED(hr)) return hr;
    if (result) {
        *result = value;
        VariantInit(&value);  // ownership went to the caller
    }
    return S_OK;
}

HRESULT CFontObject::GetProperty(DISPID member, VARIANT& value)
{
    switch (member) {
    case DISPID_FONT_NAME: value.vt = VT_BSTR; return get_Name(&value.bstrVal);
    case DISPID_FONT_SIZE: value.vt = VT_I4; value.lVal = static_cast<LONG>(m_size.int64); return S_OK;
    case DISPID_FONT_BOLD: value.vt = VT_BOOL; value.boolVal = m_weight >= FW_BOLD ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;
    case DISPID_FONT_ITALIC: value.vt = VT_BOOL; value.boolVal = m_italic ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;
    case DISPID_FONT_UNDER: value.vt = VT_BOOL; value.boolVal = m_underline ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;
    case DISPID_FONT_STRIKE: value.vt = VT_BOOL; value.boolVal = m_strikethrough ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;
    case DISPID_FONT_WEIGHT: value.vt = VT_I2; value.iVal = m_weight; return S_OK;
    case DISPID_FONT_CHARSET: value.vt = VT_I2; value.iVal = m_charset; return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CFontObject::PutProperty(DISPID member, const DISPPARAMS* params)
{
    if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    const bool isText = member == DISPID_FONT_NAME;
    const bool isFlag = member == DISPID_FONT_BOLD || member == DISPID_FONT_ITALIC || member == DISPID_FONT_UNDER ||
                        member == DISPID_FONT_STRIKE;
    const VARTYPE vt = isText ? VT_BSTR : isFlag ? VT_BOOL : member == DISPID_FONT_SIZE ? VT_I4 : VT_I2;
    CComVariant value;
    const HRESULT hr = CDispatchHelper::GetArgument(params, 0, vt, value);
    if (FAILED(hr)) return hr;
    switch (member) {
    case DISPID_FONT_NAME: return put_Name(value.bstrVal);
    case DISPID_FONT_SIZE: return put_Size(CY{value.lVal});
    case DISPID_FONT_BOLD: return put_Weight(value.boolVal ? FW_BOLD : FW_NORMAL);
    case DISPID_FONT_ITALIC: return put_Italic(value.boolVal != 0);
    case DISPID_FONT_UNDER: return put_Underline(value.boolVal != 0);
    case DISPID_FONT_STRIKE: return put_Strikethrough(value.boolVal != 0);
    case DISPID_FONT_WEIGHT: return put_Weight(value.iVal);
    case DISPID_FONT_CHARSET: return put_Charset(value.iVal);
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CFontObject::GetClassID(CLSID* clsid)
{
    if (!clsid) return E_POINTER;
    *clsid = CLSID_StdFont;
    return S_OK;
}

HRESULT CFontObject::IsDirty() { return m_dirty ? S_OK : S_FALSE; }

HRESULT CFontObject::Load(IStream* stream)
{
    CStreamReader in(stream);
    if (in.U8() != kStreamVersion) in.Fail(STG_E_OLDFORMAT);
    const SHORT charset = static_cast<SHORT>(in.U16());
    const BYTE flags = in.U8();
    const SHORT weight = static_cast<SHORT>(in.U16());
    const DWORD size = in.U32();
    std::u16string name = in.Text();
    if (FAILED(in.Result())) return in.Result();
    m_name = std::move(name);
    m_size = SaneSize(size);
    m_weight = weight;
    m_charset = charset;
    m_italic = flags & kItalic;
    m_underline = flags & kUnderline;
    m_strikethrough = flags & kStrikethrough;
    m_dirty = false;
    return S_OK;
}

HRESULT CFontObject::Save(IStream* stream, BOOL clearDirty)
{
    CStreamWriter out(stream);
    out.U8(kStreamVersion);
    out.U16(static_cast<WORD>(m_charset));
    out.U8(BYTE((m_italic ? kItalic : 0) | (m_underline ? kUnderline : 0) | (m_strikethrough ? kStrikethrough : 0)));
    out.U16(static_cast<WORD>(m_weight));
    out.U32(static_cast<DWORD>(m_size.int64));
    out.Text(m_name);
    if (SUCCEEDED(out.Result()) && clearDirty) m_dirty = false;
    return out.Result();
}

HRESULT CFontObject::GetSizeMax(std::uint64_t* size)
{
    if (!size) return E_POINTER;
    *size = 1 + 2 + 1 + 2 + 4 + 4 + m_name.size() * 2;
    return S_OK;
}
