#include "MissedTests.h"

#include "ole/Stream.h"

#include <QBuffer>
#include <QImage>

void CMissedTests::Clear()
{
    m_missed.clear();
    m_asked = {};
    m_pAskedPicture.Release();
    m_bOpen = false;
}

void CMissedTests::Asked(MissedTest test, IPictureDisp* picture)
{
    m_asked = std::move(test);
    m_pAskedPicture = picture;
    m_bOpen = true;
}

void CMissedTests::Settle(bool right)
{
    if (!m_bOpen) return;
    m_bOpen = false;
    if (!right) {
        m_asked.picture = PictureFile(m_pAskedPicture);
        m_missed.push_back(std::move(m_asked));
    }
    m_asked = {};
    m_pAskedPicture.Release();
}

std::vector<std::uint8_t> CMissedTests::PictureFile(IPictureDisp* picture)
{
    CComPtr<IPicture> saved;
    if (!picture || FAILED(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&saved)))) return {};
    std::vector<BYTE> bytes;
    CComPtr<IStream> stream;
    if (SUCCEEDED(CreateStreamOnMemory({}, &stream)) && SUCCEEDED(saved->SaveAsFile(stream, TRUE, nullptr)) &&
        SUCCEEDED(stream->Seek(0, STREAM_SEEK_SET, nullptr)) && SUCCEEDED(ReadStreamToEnd(stream, bytes)) &&
        !bytes.empty())
        return bytes;

    QImage image;
    if (FAILED(saved->GetImage(&image)) || image.isNull()) return {};
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return {};
    return std::vector<std::uint8_t>(png.begin(), png.end());
}
