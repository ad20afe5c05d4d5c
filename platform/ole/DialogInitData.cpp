#include "ole/DialogInitData.h"

namespace {

DWORD ReadU32(const BYTE* p) { return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24; }
WORD ReadU16(const BYTE* p) { return WORD(p[0] | p[1] << 8); }

void AppendU16(std::vector<BYTE>& out, WORD value)
{
    out.push_back(BYTE(value));
    out.push_back(BYTE(value >> 8));
}

void AppendU32(std::vector<BYTE>& out, DWORD value)
{
    AppendU16(out, WORD(value));
    AppendU16(out, WORD(value >> 16));
}

}  // namespace

bool CDialogInitData::Parse(const BYTE* data, size_t size, CDialogInitData& initData)
{
    constexpr size_t kHeader = 8;
    CDialogInitData parsed;
    size_t at = 0;
    while (at < size) {
        const size_t left = size - at;
        if (left == 2 && ReadU16(data + at) == 0) break;
        if (left < kHeader) return false;
        const WORD id = ReadU16(data + at);
        const WORD message = ReadU16(data + at + 2);
        const DWORD length = ReadU32(data + at + 4);
        at += kHeader;
        if (length > size - at) return false;
        if (message == kControlDataMessage) {
            if (length < 4 || ReadU32(data + at) != 0) return false;
            parsed.m_streams[id].assign(data + at + 4, data + at + length);
        }
        at += length;
    }
    initData = std::move(parsed);
    return true;
}

const std::vector<BYTE>* CDialogInitData::ForControl(int id) const
{
    const auto it = m_streams.find(id);
    return it == m_streams.end() ? nullptr : &it->second;
}

void CDialogInitData::Add(int id, std::vector<BYTE> stream) { m_streams[id] = std::move(stream); }

std::vector<BYTE> CDialogInitData::Bytes() const
{
    std::vector<BYTE> out;
    for (const auto& [id, stream] : m_streams) {
        AppendU16(out, static_cast<WORD>(id));
        AppendU16(out, kControlDataMessage);
        AppendU32(out, static_cast<DWORD>(stream.size() + 4));
        AppendU32(out, 0);
        out.insert(out.end(), stream.begin(), stream.end());
    }
    AppendU16(out, 0);
    return out;
}
