#pragma once
// The game program's own resources: its templates, strings, bitmaps, SKINS
// backgrounds and icons, found in the binary the shell runs in.
#include "com/ComPtr.h"
#include "ole/Picture.h"
#include "ui/Resources.h"

#include <QIcon>
#include <QPixmap>

#include <string>
#include <string_view>

// The binary that holds the shell's code, and so its resources.
HMODULE ShellModule();
// The bytes of resource `id` of `type`, empty when absent.
std::string_view ShellResource(int id, std::string_view type);
// String table entry `id`, empty when absent.
std::string ShellString(int id);
// Bitmap `id` at its own size; null when absent or undecodable.
QPixmap ShellBitmap(int id);
// Icon group `id` with the sizes a window shows (up to 128 pixels); null
// when absent.
QIcon ShellIcon(int id);
// Decodes "SKINS" picture `id` into `picture`. False, with `picture` null,
// when the resource is absent or does not decode.
bool LoadSkinsPicture(int id, CComPtr<IPictureDisp>& picture);
