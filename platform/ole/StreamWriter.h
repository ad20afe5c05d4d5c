#pragma once
// CStreamWriter: little-endian values written to a stream, the way every
// persisted form of ours lays them out. The first failure sticks: later
// writes do nothing and Result reports it, so a save reads as a plain list of
// writes with one check at the end.
#include "ole/Stream.h"

#include <string_view>

class CStreamWriter {
public:
    explicit CStreamWriter(IStream* stream) : m_stream(stream) {}

    void Bytes(const void* data, ULONG size);
    void U8(BYTE value) { Bytes(&value, 1); }
    void U16(WORD value);
    void U32(DWORD value);
    void Guid(REFGUID guid);
    // 32-bit byte count, then the UTF-16 code units.
    void Text(std::u16string_view text);

    HRESULT Result() const { return m_hr; }

private:
    IStream* m_stream;
    HRESULT m_hr = S_OK;
};
