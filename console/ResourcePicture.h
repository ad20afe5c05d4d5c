#pragma once
// Pictures held among the console library's resources ("SKIN", "BUTTONS",
// "IMAGES").
#include "com/ComPtr.h"
#include "ole/Picture.h"

#include <string_view>

// Decodes resource `id` of type `type` of the library into `target`,
// releasing the picture it held. True once the resource was found and handed
// to the decoder, even if decoding failed and left the slot empty; false,
// with the slot untouched, when the library or the resource is missing.
bool LoadResourcePicture(std::string_view type, int id, CComPtr<IPictureDisp>& target);
