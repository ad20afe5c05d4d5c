#include "ole/DeviceFont.h"

#include "com/ComPtr.h"
#include "ui/MulDiv.h"

#include <QString>

#include <algorithm>

namespace {

constexpr std::int64_t kUnitsPerPoint = 10000;
constexpr int kPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;
// A face name fills a fixed 32-character field, its terminator included.
constexpr qsizetype kMaxFaceName = 31;

CComPtr<IFont> FontOf(IUnknown* object)
{
    CComPtr<IFont> font;
    if (object) object->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font));
    return font;
}

// Whole points, the fraction dropped, at most what a font object of ours
// holds; 0 when the size cannot be read.
int WholePoints(IFont* font)
{
    CY size;
    if (FAILED(font->get_Size(&size))) return 0;
    return static_cast<int>(std::clamp<std::int64_t>(size.int64 / kUnitsPerPoint, 0, FONTSIZE_MAX / kUnitsPerPoint));
}

}  // namespace

std::optional<QFont> RealizeFont(IUnknown* object, BYTE quality)
{
    const CComPtr<IFont> font = FontOf(object);
    if (!font) return std::nullopt;
    const int points = WholePoints(font);
    if (points <= 0) return std::nullopt;

    CComBSTR name;
    SHORT weight = 0;
    BOOL italic = FALSE, underline = FALSE, strikethrough = FALSE;
    font->get_Name(&name);
    font->get_Weight(&weight);
    font->get_Italic(&italic);
    font->get_Underline(&underline);
    font->get_Strikethrough(&strikethrough);

    QFont result(QString::fromStdU16String(name.str()).left(kMaxFaceName));
    result.setPixelSize(MulDiv(points, kPixelsPerInch, kPointsPerInch));
    // Desktop weights run 1..1000, Qt's the same since Qt 6.
    result.setWeight(static_cast<QFont::Weight>(qBound(1, int(weight ? weight : FW_NORMAL), 1000)));
    result.setItalic(italic);
    result.setUnderline(underline);
    result.setStrikeOut(strikethrough);
    if (quality == NONANTIALIASED_QUALITY) result.setStyleStrategy(QFont::NoAntialias);
    return result;
}

bool ShrinkFont(IUnknown* object)
{
    const CComPtr<IFont> font = FontOf(object);
    if (!font) return false;
    CY size;
    if (FAILED(font->get_Size(&size)) || size.int64 < 2 * kUnitsPerPoint) return false;
    size.int64 -= kUnitsPerPoint;
    return SUCCEEDED(font->put_Size(size));
}
