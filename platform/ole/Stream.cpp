#include "ole/Stream.h"

#include "com/UnknownImpl.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

// The stream behind CreateStreamOnMemory. Positions past the end are allowed,
// as on the desktop: reading there gives nothing, writing there fills the gap
// with zeros.
class CMemoryStream final : public IStream {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_IStream, static_cast<IStream*>(this)})

public:
    explicit CMemoryStream(std::vector<BYTE> bytes) : m_bytes(std::move(bytes)) {}

    HRESULT Read(void* buffer, ULONG count, ULONG* read) override
    {
        if (read) *read = 0;
        if (!buffer && count) return E_POINTER;
        const std::uint64_t available = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
        const ULONG done = static_cast<ULONG>(std::min<std::uint64_t>(count, available));
        if (done) std::memcpy(buffer, m_bytes.data() + m_position, done);
        m_position += done;
        if (read) *read = done;
        return S_OK;
    }

    HRESULT Write(const void* buffer, ULONG count, ULONG* written) override
    {
        if (written) *written = 0;
        if (!buffer && count) return E_POINTER;
        const std::uint64_t end = m_position + count;
        if (end > m_bytes.max_size()) return E_OUTOFMEMORY;
        try {
            if (end > m_bytes.size()) m_bytes.resize(end);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        if (count) std::memcpy(m_bytes.data() + m_position, buffer, count);
        m_position = end;
        if (written) *written = count;
        return S_OK;
    }

    HRESULT Seek(std::int64_t move, DWORD origin, std::uint64_t* newPosition) override
    {
        std::int64_t base = 0;
        switch (origin) {
        case STREAM_SEEK_SET: break;
        case STREAM_SEEK_CUR: base = static_cast<std::int64_t>(m_position); break;
        case STREAM_SEEK_END: base = static_cast<std::int64_t>(m_bytes.size()); break;
        default: return STG_E_INVALIDFUNCTION;
        }
        if (move < -base || (move > 0 && base > std::numeric_limits<std::int64_t>::max() - move))
            return STG_E_INVALIDFUNCTION;
        m_position = static_cast<std::uint64_t>(base + move);
        if (newPosition) *newPosition = m_position;
        return S_OK;
    }

    HRESULT GetSize(std::uint64_t* size) override
    {
        if (!size) return E_POINTER;
        *size = m_bytes.size();
        return S_OK;
    }

private:
    ~CMemoryStream() = default;

    std::vector<BYTE> m_bytes;
    std::uint64_t m_position = 0;
};

}  // namespace

HRESULT CreateStreamOnMemory(std::vector<BYTE> bytes, IStream** stream)
{
    if (!stream) return E_POINTER;
    *stream = new (std::nothrow) CMemoryStream(std::move(bytes));
    return *stream ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReadStreamToEnd(IStream* stream, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (!stream) return E_POINTER;
    BYTE chunk[64 * 1024];
    for (;;) {
        ULONG read = 0;
        const HRESULT hr = stream->Read(chunk, sizeof chunk, &read);
        if (FAILED(hr)) return hr;
        if (read == 0) return S_OK;
        bytes.insert(bytes.end(), chunk, chunk + read);
    }
}
