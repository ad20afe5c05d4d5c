// The control persistence stream over arbitrary bytes, read with a property
// of every kind. Whatever reads must write back to a stream that reads to
// values that write the very same bytes again.
#include "com/ComPtr.h"
#include "ole/ControlStream.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr PROPERTYDESC kEveryKind[] = {
    {u"Enabled", -514, PropertyKind::Bool},  {u"BackColor", -501, PropertyKind::Colour},
    {u"Count", 2, PropertyKind::Integer},    {u"Text", -517, PropertyKind::Text},
    {u"Font", -512, PropertyKind::Font},     {u"Picture", -523, PropertyKind::Picture},
};

HRESULT ReadBytes(std::vector<BYTE> bytes, SIZEL& extent, std::vector<CComVariant>& values)
{
    CComPtr<IStream> stream;
    const HRESULT hr = CreateStreamOnMemory(std::move(bytes), &stream);
    if (FAILED(hr)) return hr;
    return CControlStream::Read(stream, kEveryKind, extent, values);
}

std::vector<BYTE> WriteBytes(const SIZEL& extent, const std::vector<CComVariant>& values)
{
    CComPtr<IStream> stream;
    std::vector<BYTE> bytes;
    if (FAILED(CreateStreamOnMemory({}, &stream)) || FAILED(CControlStream::Write(stream, extent, kEveryKind, values)) ||
        FAILED(stream->Seek(0, STREAM_SEEK_SET, nullptr)) || FAILED(ReadStreamToEnd(stream, bytes)))
        std::abort();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SIZEL extent;
    std::vector<CComVariant> values;
    if (FAILED(ReadBytes(std::vector<BYTE>(data, data + size), extent, values))) return 0;
    const std::vector<BYTE> written = WriteBytes(extent, values);
    SIZEL extentAgain;
    std::vector<CComVariant> again;
    if (FAILED(ReadBytes(written, extentAgain, again))) std::abort();
    if (WriteBytes(extentAgain, again) != written) std::abort();
    return 0;
}
