#include "ShellResources.h"

#include "ole/Stream.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <new>
#include <vector>

HMODULE ShellModule()
{
    static const int anchor = 0;
    return GetModuleFromAddress(&anchor);
}

std::string_view ShellResource(int id, std::string_view type)
{
    const HMODULE module = ShellModule();
    const HRSRC resource = FindResourceA(module, id, type);
    if (!resource) return {};
    return {static_cast<const char*>(LockResource(resource)), SizeofResource(module, resource)};
}

std::string ShellString(int id) { return LoadStringA(ShellModule(), id); }

QPixmap ShellBitmap(int id)
{
    const std::string_view bytes = ShellResource(id, "BITMAP");
    QPixmap pixmap;
    if (!bytes.empty()) pixmap.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<uint>(bytes.size()), "BMP");
    return pixmap;
}

namespace {

constexpr int kLargestWindowIcon = 128;

}  // namespace

QIcon ShellIcon(int id)
{
    const std::string_view bytes = ShellResource(id, "ICON");
    QIcon icon;
    if (bytes.empty()) return icon;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // An icon file holds one image per size. A window's icon is drawn at
    // 128 pixels at the most; the desktop finds the larger sizes among the
    // installed icons, so they are not decoded at every start.
    QImageReader reader(&buffer, "ico");
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i)) break;
        if (reader.size().width() > kLargestWindowIcon) continue;
        const QImage image = reader.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

bool LoadSkinsPicture(int id, CComPtr<IPictureDisp>& picture)
{
    picture.Release();
    const std::string_view bytes = ShellResource(id, "SKINS");
    if (bytes.empty()) return false;
    try {
        CComPtr<IStream> stream;
        if (FAILED(CreateStreamOnMemory(std::vector<BYTE>(bytes.begin(), bytes.end()), &stream))) return false;
        return SUCCEEDED(OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(&picture)));
    } catch (const std::bad_alloc&) {
        return false;
    }
}
