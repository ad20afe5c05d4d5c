#pragma once
// Encoded images made on the spot.
#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <string>

inline QByteArray EncodedImage(int width, int height, const char* format = "PNG")
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(200, 30, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A BMP-BASE-64 element holding an image of the given size, declaring its
// data type on itself.
inline std::string EmbeddedPicture(int width, int height)
{
    return "<BMP-BASE-64 xmlns:dt=\"urn:schemas-microsoft-com:datatypes\" dt:dt=\"bin.base64\">" +
           EncodedImage(width, height).toBase64().toStdString() + "</BMP-BASE-64>";
}
