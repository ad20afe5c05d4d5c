#include "ResourcePicture.h"

#include "PlaydeckLibrary.h"

#include <new>
#include <vector>

bool LoadResourcePicture(std::string_view type, int id, CComPtr<IPictureDisp>& target)
{
    const HMODULE module = PlaydeckLibrary();
    const HRSRC resource = FindResourceA(module, id, type);
    const auto* bytes = static_cast<const BYTE*>(LockResource(resource));
    if (!bytes) return false;
    try {
        CComPtr<IStream> stream;
        if (FAILED(CreateStreamOnMemory(std::vector<BYTE>(bytes, bytes + SizeofResource(module, resource)), &stream)))
            return false;
        // operator& lets the old picture go first, so a picture that fails to
        // decode leaves the slot empty rather than stale.
        OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(&target));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
