#include "ole/StreamReader.h"

#include <cstring>

CStreamReader::CStreamReader(IStream* stream) : m_stream(stream)
{
    if (!m_stream) m_hr = E_POINTER;
}

void CStreamReader::Bytes(void* data, ULONG size)
{
    if (FAILED(m_hr)) {
        std::memset(data, 0, size);
        return;
    }
    ULONG read = 0;
    m_hr = m_stream->Read(data, size, &read);
    if (SUCCEEDED(m_hr) && read != size) m_hr = STG_E_READFAULT;
    if (FAILED(m_hr)) std::memset(data, 0, size);
}

BYTE CStreamReader::U8()
{
    BYTE value = 0;
    Bytes(&value, 1);
    return value;
}

WORD CStreamReader::U16()
{
    BYTE bytes[2];
    Bytes(bytes, 2);
    return WORD(bytes[0] | bytes[1] << 8);
}

DWORD CStreamReader::U32()
{
    BYTE bytes[4];
    Bytes(bytes, 4);
    return DWORD(bytes[0]) | DWORD(bytes[1]) << 8 | DWORD(bytes[2]) << 16 | DWORD(bytes[3]) << 24;
}

GUID CStreamReader::Guid()
{
    GUID guid{};
    guid.Data1 = U32();
    guid.Data2 = U16();
    guid.Data3 = U16();
    Bytes(guid.Data4, 8);
    return guid;
}

std::u16string CStreamReader::Text()
{
    const DWORD bytes = U32();
    if (FAILED(m_hr)) return {};
    if (bytes % 2 != 0 || bytes > Remaining()) {
        Fail(STG_E_READFAULT);
        return {};
    }
    std::u16string text(bytes / 2, u'\0');
    for (char16_t& unit : text) unit = static_cast<char16_t>(U16());
    return SUCCEEDED(m_hr) ? text : std::u16string();
}

std::uint64_t CStreamReader::Remaining() const
{
    if (FAILED(m_hr)) return 0;
    std::uint64_t position = 0, size = 0;
    if (FAILED(m_stream->Seek(0, STREAM_SEEK_CUR, &position)) || FAILED(m_stream->GetSize(&size))) return 0;
    return size > position ? size - position : 0;
}
