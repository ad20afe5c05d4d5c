#pragma once
// IStream over a block of memory.
#include "com/Unknown.h"

#include <vector>

constexpr DWORD STREAM_SEEK_SET = 0;
constexpr DWORD STREAM_SEEK_CUR = 1;
constexpr DWORD STREAM_SEEK_END = 2;

struct IStream : IUnknown {
    virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
    virtual HRESULT Write(const void* buffer, ULONG count, ULONG* written) = 0;
    // Moves the position; newPosition may be null.
    virtual HRESULT Seek(std::int64_t move, DWORD origin, std::uint64_t* newPosition) = 0;
    virtual HRESULT GetSize(std::uint64_t* size) = 0;
};
constexpr IID IID_IStream = {0x0000000C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// A stream that owns a copy of the bytes, positioned at the start; it grows
// when written past its end.
HRESULT CreateStreamOnMemory(std::vector<BYTE> bytes, IStream** stream);
// Reads everything from the current position to the end.
HRESULT ReadStreamToEnd(IStream* stream, std::vector<BYTE>& bytes);
