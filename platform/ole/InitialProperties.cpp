#include "ole/InitialProperties.h"

#include "com/AsciiText.h"
#include "com/ComPtr.h"
#include "ole/ControlStream.h"
#include "ole/Font.h"
#include "ole/Persist.h"
#include "ole/Stream.h"
#include "ui/MulDiv.h"

#include <QString>

#include <charconv>
#include <cmath>

namespace {

constexpr int kPixelsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

bool IsNone(const std::vector<DialogWord>& value)
{
    return value.size() == 1 && !value[0].quoted && SameAsciiText(value[0].text, "NONE");
}

// A whole number, decimal or hexadecimal after 0x, possibly negative.
bool ParseNumber(const std::string& text, long long& number)
{
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.remove_prefix(1);
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    if (digits.empty() || digits.size() > 16) return false;
    unsigned long long magnitude = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (ec != std::errc() || end != digits.data() + digits.size()) return false;
    number = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return true;
}

// The value as a number in [lowest, highest]; false otherwise.
bool NumberIn(const std::vector<DialogWord>& value, long long lowest, long long highest, long long& number)
{
    return value.size() == 1 && !value[0].quoted && ParseNumber(value[0].text, number) && number >= lowest &&
           number <= highest;
}

// "<face>" <points> [<weight> [<charset>]] [ITALIC] [UNDERLINE] [STRIKEOUT]
bool ParseFont(const std::vector<DialogWord>& value, CComVariant& result)
{
    if (IsNone(value)) {
        result = CComVariant::Object(nullptr);
        return true;
    }
    if (value.size() < 2 || value[0].text.empty()) return false;
    const std::u16string face = QString::fromUtf8(value[0].text).toStdU16String();
    FONTDESC desc;
    desc.lpstrName = face.c_str();
    double points = 0;
    const std::string& size = value[1].text;
    const auto [end, ec] = std::from_chars(size.data(), size.data() + size.size(), points);
    if (ec != std::errc() || end != size.data() + size.size() || !(points > 0 && points <= 1000)) return false;
    desc.cySize.int64 = std::llround(points * 10000);
    size_t next = 2;
    long long number = 0;
    if (next < value.size() && ParseNumber(value[next].text, number)) {
        if (number < 0 || number > 1000) return false;
        desc.sWeight = static_cast<SHORT>(number);
        ++next;
        if (next < value.size() && ParseNumber(value[next].text, number)) {
            if (number < 0 || number > 255) return false;
            desc.sCharset = static_cast<SHORT>(number);
            ++next;
        }
    }
    for (; next < value.size(); ++next) {
        if (SameAsciiText(value[next].text, "ITALIC")) desc.fItalic = TRUE;
        else if (SameAsciiText(value[next].text, "UNDERLINE")) desc.fUnderline = TRUE;
        else if (SameAsciiText(value[next].text, "STRIKEOUT")) desc.fStrikethrough = TRUE;
        else return false;
    }
    CComPtr<IDispatch> font;
    if (FAILED(OleCreateFontIndirect(desc, IID_IFontDisp, reinterpret_cast<void**>(&font)))) return false;
    result = CComVariant::Object(font);
    return true;
}

// The line's value converted to what `kind` holds; false with `fault` set.
bool ParseValue(PropertyKind kind, const std::vector<DialogWord>& value, CComVariant& result, std::string& fault)
{
    long long number = 0;
    switch (kind) {
    case PropertyKind::Bool:
        if (value.size() == 1 && !value[0].quoted && SameAsciiText(value[0].text, "TRUE")) number = 1;
        else if (value.size() == 1 && !value[0].quoted && SameAsciiText(value[0].text, "FALSE")) number = 0;
        else if (!NumberIn(value, -0x8000, 0x7FFF, number)) break;
        result = CComVariant::Bool(number != 0);
        return true;
    case PropertyKind::Colour:
        if (!NumberIn(value, 0, 0xFFFFFFFF, number)) break;
        result = CComVariant::UI4(static_cast<ULONG>(number));
        return true;
    case PropertyKind::Integer:
        if (!NumberIn(value, INT32_MIN, INT32_MAX, number)) break;
        result = CComVariant::I4(static_cast<LONG>(number));
        return true;
    case PropertyKind::Text:
        if (value.size() != 1) break;
        result = CComVariant::Text(IsNone(value) ? std::u16string() : QString::fromUtf8(value[0].text).toStdU16String());
        return true;
    case PropertyKind::Font:
        if (ParseFont(value, result)) return true;
        fault = "expected a font: \"<face>\" <points> [<weight> [<charset>]] [ITALIC] [UNDERLINE] [STRIKEOUT], or NONE";
        return false;
    case PropertyKind::Picture:
        if (IsNone(value)) {
            result = CComVariant::Object(nullptr);
            return true;
        }
        fault = "a picture can only be NONE in a template";
        return false;
    }
    static const char* const kExpected[] = {"TRUE, FALSE or a number", "a colour 0x00BBGGRR", "a 32-bit number",
                                            "one text in double quotes"};
    fault = std::string("expected ") + kExpected[static_cast<int>(kind)];
    return false;
}

const PROPERTYDESC* FindProperty(std::span<const PROPERTYDESC> map, const std::string& name)
{
    const QString wanted = QString::fromUtf8(name);
    for (const PROPERTYDESC& property : map)
        if (wanted.compare(QString::fromUtf16(property.name), Qt::CaseInsensitive) == 0) return &property;
    return nullptr;
}

// The control's current value of `property`, read through its dispatch table.
HRESULT ReadProperty(IDispatch* control, const PROPERTYDESC& property, CComVariant& value)
{
    DISPPARAMS none;
    return control->Invoke(property.dispid, GUID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
}

}  // namespace

HRESULT CInitialProperties::Write(IUnknown* control, const DialogItem& item, std::vector<BYTE>& stream,
                                  std::vector<std::string>& faults)
{
    if (!control) return E_POINTER;
    CComPtr<IControlPropertyMap> mapSource;
    CComPtr<IPersistStreamInit> persist;
    CComPtr<IDispatch> dispatch;
    HRESULT hr = control->QueryInterface(IID_IControlPropertyMap, reinterpret_cast<void**>(&mapSource));
    if (SUCCEEDED(hr)) hr = control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
    if (SUCCEEDED(hr)) hr = control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (FAILED(hr)) return hr;
    std::span<const PROPERTYDESC> map;
    hr = mapSource->GetPropertyMap(&map);
    if (SUCCEEDED(hr)) hr = persist->InitNew();
    if (FAILED(hr)) return hr;

    std::vector<CComVariant> values(map.size());
    for (size_t i = 0; i < map.size(); ++i) {
        hr = ReadProperty(dispatch, map[i], values[i]);
        if (FAILED(hr)) return hr;
    }
    for (const PropertySetting& setting : item.properties) {
        const PROPERTYDESC* property = FindProperty(map, setting.name);
        std::string fault;
        if (!property) fault = "the control has no property " + setting.name;
        else if (ParseValue(property->kind, setting.value, values[property - map.data()], fault)) continue;
        faults.push_back("line " + std::to_string(setting.line) + ": " + setting.name + ": " + fault);
    }

    SIZEL extent{item.extentCx, item.extentCy};
    if (!item.hasExtent) {
        const DialogPixels pixels = CDialogTemplate::ToPixels(item.x, item.y, item.cx, item.cy);
        extent = {MulDiv(pixels.cx, kHimetricPerInch, kPixelsPerInch), MulDiv(pixels.cy, kHimetricPerInch, kPixelsPerInch)};
    }
    CComPtr<IStream> out;
    hr = CreateStreamOnMemory({}, &out);
    if (SUCCEEDED(hr)) hr = CControlStream::Write(out, extent, map, values);
    if (SUCCEEDED(hr)) hr = out->Seek(0, STREAM_SEEK_SET, nullptr);
    if (SUCCEEDED(hr)) hr = ReadStreamToEnd(out, stream);
    return hr;
}
