// A picture saves the bytes it was decoded from and loads from them again,
// and a copy made through that shares nothing with its source.
#include "com/ComPtr.h"
#include "ole/Persist.h"
#include "ole/Picture.h"

#include "PictureBytes.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

CComPtr<IPicture> Decode(const QByteArray& bytes)
{
    CComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnMemory(std::vector<BYTE>(bytes.begin(), bytes.end()), &stream), S_OK);
    CComPtr<IPicture> picture;
    EXPECT_EQ(OleLoadPicture(stream, 0, FALSE, IID_IPicture, reinterpret_cast<void**>(&picture)), S_OK);
    return picture;
}

QImage ImageOf(IUnknown* picture)
{
    CComPtr<IPicture> face;
    EXPECT_EQ(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&face)), S_OK);
    QImage image;
    face->GetImage(&image);
    return image;
}

TEST(PicturePersistence, SavesItsBytesBehindACountAndLoadsThemBack)
{
    const QByteArray png = EncodedImage(5, 3);
    CComPtr<IPicture> picture = Decode(png);
    CComPtr<IPersistStream> persist;
    ASSERT_EQ(picture.QueryInterface(IID_IPersistStream, &persist), S_OK);
    CLSID clsid{};
    EXPECT_EQ(persist->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_StdPicture);

    CComPtr<IStream> stream;
    CreateStreamOnMemory({}, &stream);
    ASSERT_EQ(persist->Save(stream, TRUE), S_OK);
    std::uint64_t size = 0, max = 0;
    stream->GetSize(&size);
    persist->GetSizeMax(&max);
    EXPECT_EQ(size, 4u + png.size());
    EXPECT_GE(max, size);

    // Loading into another picture replaces its image.
    CComPtr<IPicture> other = Decode(EncodedImage(9, 9, "BMP"));
    CComPtr<IPersistStream> otherPersist;
    other.QueryInterface(IID_IPersistStream, &otherPersist);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(otherPersist->Load(stream), S_OK);
    EXPECT_EQ(ImageOf(other), ImageOf(picture));
    OLE_XSIZE_HIMETRIC width = 0;
    other->get_Width(&width);
    EXPECT_EQ(width, 132);  // 5 px at 96 per inch

    // Bytes that do not decode leave it as it was.
    const BYTE junk[] = {4, 0, 0, 0, 'j', 'u', 'n', 'k'};
    CComPtr<IStream> bad;
    CreateStreamOnMemory(std::vector<BYTE>(std::begin(junk), std::end(junk)), &bad);
    EXPECT_TRUE(FAILED(otherPersist->Load(bad)));
    EXPECT_EQ(ImageOf(other).size(), QSize(5, 3));
}

TEST(PicturePersistence, ACopySharesNothingWithItsSource)
{
    CComPtr<IPicture> source = Decode(EncodedImage(7, 2, "JPEG"));
    CComPtr<IPictureDisp> copy;
    ASSERT_EQ(OleCopyPicture(source, IID_IPictureDisp, reinterpret_cast<void**>(&copy)), S_OK);
    ASSERT_TRUE(copy);
    CComPtr<IUnknown> sourceIdentity, copyIdentity;
    source.QueryInterface(IID_IUnknown, &sourceIdentity);
    copy.QueryInterface(IID_IUnknown, &copyIdentity);
    EXPECT_NE(sourceIdentity.get(), copyIdentity.get());
    EXPECT_EQ(ImageOf(copy), ImageOf(source));

    CComPtr<IPictureDisp> none;
    EXPECT_EQ(OleCopyPicture(nullptr, IID_IPictureDisp, reinterpret_cast<void**>(&none)), S_OK);
    EXPECT_FALSE(none);
}

}  // namespace
