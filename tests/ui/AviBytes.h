#pragma once
// Small AVI clips made on the spot, each frame one flat colour, with every
// header field open to damage.
#include <QColor>

#include <cstdint>
#include <string>
#include <vector>

struct AviLayout {
    int width = 3; // three 24-bit pixels pad each row to 12 bytes
    int height = 2;
    std::vector<QRgb> frames = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    std::uint32_t microsecondsPerFrame = 100000;
    std::uint32_t scale = 1, rate = 10;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::string frameId = "00db";
};

class AviBytes {
public:
    static std::vector<unsigned char> Make(const AviLayout& layout)
    {
        AviBytes avi;
        const std::size_t stride = (static_cast<std::size_t>(layout.width) * 3 + 3) & ~std::size_t{3};
        const std::size_t riff = avi.Open("RIFF", "AVI ");
        const std::size_t hdrl = avi.Open("LIST", "hdrl");
        const std::size_t avih = avi.Open("avih");
        for (std::uint32_t field : {layout.microsecondsPerFrame, 0u, 0u, 0x10u, static_cast<std::uint32_t>(layout.frames.size()),
                                    0u, 1u, 0u, static_cast<std::uint32_t>(layout.width),
                                    static_cast<std::uint32_t>(layout.height), 0u, 0u, 0u, 0u})
            avi.U32(field);
        avi.Close(avih);
        const std::size_t strl = avi.Open("LIST", "strl");
        const std::size_t strh = avi.Open("strh");
        avi.Text("vids");
        avi.Text("DIB ");
        for (std::uint32_t field : {0u, 0u, 0u, layout.scale, layout.rate, 0u, static_cast<std::uint32_t>(layout.frames.size()),
                                    0u, 0u, 0u, 0u, 0u})
            avi.U32(field);
        avi.Close(strh);
        const std::size_t strf = avi.Open("strf");
        avi.U32(40);
        avi.U32(static_cast<std::uint32_t>(layout.width));
        avi.U32(static_cast<std::uint32_t>(layout.height));
        avi.U16(1);
        avi.U16(layout.bits);
        avi.U32(layout.compression);
        for (int i = 0; i < 6; ++i) avi.U32(0);
        avi.Close(strf);
        avi.Close(strl);
        avi.Close(hdrl);
        const std::size_t movi = avi.Open("LIST", "movi");
        for (QRgb colour : layout.frames) {
            const std::size_t frame = avi.Open(layout.frameId.c_str());
            for (int y = 0; y < layout.height; ++y) {
                std::size_t written = 0;
                for (int x = 0; x < layout.width; ++x, written += 3) {
                    avi.m_bytes.push_back(static_cast<unsigned char>(qBlue(colour)));
                    avi.m_bytes.push_back(static_cast<unsigned char>(qGreen(colour)));
                    avi.m_bytes.push_back(static_cast<unsigned char>(qRed(colour)));
                }
                for (; written < stride; ++written) avi.m_bytes.push_back(0);
            }
            avi.Close(frame);
        }
        avi.Close(movi);
        avi.Close(riff);
        return avi.m_bytes;
    }

    static void PutU32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    }
    // Where the first occurrence of a four-character code starts.
    static std::size_t Find(const std::vector<unsigned char>& bytes, const char* code)
    {
        const std::string text(bytes.begin(), bytes.end());
        return text.find(std::string(code, 4));
    }

private:
    std::size_t Open(const char* id, const char* kind = nullptr)
    {
        Text(id);
        const std::size_t at = m_bytes.size();
        U32(0);
        if (kind) Text(kind);
        return at;
    }
    void Close(std::size_t sizeAt)
    {
        PutU32(m_bytes, sizeAt, static_cast<std::uint32_t>(m_bytes.size() - sizeAt - 4));
        if (m_bytes.size() & 1) m_bytes.push_back(0);
    }
    void Text(const char* code) { m_bytes.insert(m_bytes.end(), code, code + 4); }
    void U32(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i) m_bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
    void U16(std::uint16_t value)
    {
        m_bytes.push_back(static_cast<unsigned char>(value));
        m_bytes.push_back(static_cast<unsigned char>(value >> 8));
    }

    std::vector<unsigned char> m_bytes;
};
