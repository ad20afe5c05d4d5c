#include "ole/StreamWriter.h"

void CStreamWriter::Bytes(const void* data, ULONG size)
{
    if (FAILED(m_hr)) return;
    if (!m_stream) {
        m_hr = E_POINTER;
        return;
    }
    ULONG written = 0;
    m_hr = m_stream->Write(data, size, &written);
    if (SUCCEEDED(m_hr) && written != size) m_hr = STG_E_READFAULT;
}

void CStreamWriter::U16(WORD value)
{
    const BYTE bytes[2] = {BYTE(value), BYTE(value >> 8)};
    Bytes(bytes, 2);
}

void CStreamWriter::U32(DWORD value)
{
    const BYTE bytes[4] = {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
    Bytes(bytes, 4);
}

void CStreamWriter::Guid(REFGUID guid)
{
    U32(guid.Data1);
    U16(guid.Data2);
    U16(guid.Data3);
    Bytes(guid.Data4, 8);
}

void CStreamWriter::Text(std::u16string_view text)
{
    U32(static_cast<DWORD>(text.size() * 2));
    for (const char16_t unit : text) U16(unit);
}
