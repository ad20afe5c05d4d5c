#pragma once
// CStreamReader: the reading half of CStreamWriter. Running short of bytes is
// a failure (STG_E_READFAULT) that sticks like a write failure, and a length
// read from the stream is checked against what the stream still holds before
// anything is allocated for it, so damaged data cannot ask for gigabytes.
#include "ole/Stream.h"

#include <string>

class CStreamReader {
public:
    explicit CStreamReader(IStream* stream);

    void Bytes(void* data, ULONG size);
    BYTE U8();
    WORD U16();
    DWORD U32();
    GUID Guid();
    std::u16string Text();

    // The bytes from the position to the end, 0 when unknown or failed.
    std::uint64_t Remaining() const;
    void Fail(HRESULT hr) { if (SUCCEEDED(m_hr)) m_hr = hr; }
    HRESULT Result() const { return m_hr; }

private:
    IStream* m_stream;
    HRESULT m_hr = S_OK;
};
