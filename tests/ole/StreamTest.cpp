// The memory stream that carries picture bytes and persisted control data.
#include "com/ComPtr.h"
#include "ole/Stream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<BYTE> Bytes(std::string_view text) { return std::vector<BYTE>(text.begin(), text.end()); }

std::string ReadString(IStream* stream, ULONG count)
{
    std::string buffer(count, '\0');
    ULONG read = 99;
    EXPECT_EQ(stream->Read(buffer.data(), count, &read), S_OK);
    buffer.resize(read);
    return buffer;
}

}  // namespace

TEST(MemoryStream, ReadsSeeksAndGrowsOnWrite)
{
    CComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnMemory(Bytes("hello"), &stream), S_OK);

    EXPECT_EQ(ReadString(stream, 3), "hel");
    EXPECT_EQ(ReadString(stream, 10), "lo");  // a short read is no error
    EXPECT_EQ(ReadString(stream, 10), "");

    std::uint64_t position = 0;
    ASSERT_EQ(stream->Seek(-1, STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position, 4u);
    ULONG written = 0;
    ASSERT_EQ(stream->Write("XY", 2, &written), S_OK);
    EXPECT_EQ(written, 2u);
    std::uint64_t size = 0;
    ASSERT_EQ(stream->GetSize(&size), S_OK);
    EXPECT_EQ(size, 6u);

    // Writing beyond the end fills the gap with zeros.
    ASSERT_EQ(stream->Seek(8, STREAM_SEEK_SET, nullptr), S_OK);
    ASSERT_EQ(stream->Write("Z", 1, nullptr), S_OK);
    ASSERT_EQ(stream->Seek(0, STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_EQ(ReadString(stream, 100), std::string("hellXY\0\0Z", 9));

    // A seek before the start fails and leaves the position alone.
    ASSERT_EQ(stream->Seek(2, STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_FALSE(SUCCEEDED(stream->Seek(-3, STREAM_SEEK_CUR, &position)));
    EXPECT_FALSE(SUCCEEDED(stream->Seek(0, 7, &position)));
    ASSERT_EQ(stream->Seek(0, STREAM_SEEK_CUR, &position), S_OK);
    EXPECT_EQ(position, 2u);

    std::vector<BYTE> rest = Bytes("stale");
    ASSERT_EQ(ReadStreamToEnd(stream, rest), S_OK);
    EXPECT_EQ(std::string(rest.begin(), rest.end()), std::string("llXY\0\0Z", 7));
}

TEST(MemoryStream, ReadsToTheEndAcrossManyChunks)
{
    std::vector<BYTE> big(200000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<BYTE>(i * 7);
    CComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnMemory(big, &stream), S_OK);
    std::vector<BYTE> read;
    ASSERT_EQ(ReadStreamToEnd(stream, read), S_OK);
    EXPECT_EQ(read, big);
}
