#include "EmbedPictures.h"

#include "com/ComPtr.h"
#include "ole/Stream.h"

#include <QByteArray>
#include <QString>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr const char* kDataTypes = "urn:schemas-microsoft-com:datatypes";

struct XmlFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
    void operator()(xmlChar* text) const { xmlFree(text); }
};

const xmlChar* Name(const char* name) { return reinterpret_cast<const xmlChar*>(name); }

void CollectPictures(xmlNodePtr node, std::vector<xmlNodePtr>& pictures)
{
    for (xmlNodePtr child = node->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        if (!child->ns && xmlStrcmp(child->name, Name("Picture")) == 0) pictures.push_back(child);
        else CollectPictures(child, pictures);
    }
}

// The file bytes of the picture the book serves for `number`; empty for none.
QByteArray PictureFile(IQuizBook* book, const std::u16string& number)
{
    CComPtr<IPictureDisp> picture;
    CComPtr<IPicture> saved;
    CComPtr<IStream> stream;
    if (FAILED(book->GetPicture(CComBSTR(number), &picture)) || !picture ||
        FAILED(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&saved))) ||
        FAILED(CreateStreamOnMemory({}, &stream)) || FAILED(saved->SaveAsFile(stream, TRUE, nullptr)))
        return {};
    std::vector<BYTE> bytes;
    if (FAILED(stream->Seek(0, STREAM_SEEK_SET, nullptr)) || FAILED(ReadStreamToEnd(stream, bytes))) return {};
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// <BMP-BASE-64 xmlns:dt="..." dt:dt="bin.base64">...</BMP-BASE-64><Source>...</Source>
bool ReplaceWithEmbedded(xmlDocPtr doc, xmlNodePtr picture, const QByteArray& file, const std::string& source)
{
    xmlNodePtr embedded = xmlNewDocNode(doc, nullptr, Name("BMP-BASE-64"), nullptr);
    if (!embedded) return false;
    xmlNsPtr ns = xmlNewNs(embedded, Name(kDataTypes), Name("dt"));
    xmlNodePtr origin = xmlNewDocNode(doc, nullptr, Name("Source"), nullptr);
    if (!ns || !origin || !xmlNewNsProp(embedded, ns, Name("dt"), Name("bin.base64"))) {
        xmlFreeNode(embedded);
        xmlFreeNode(origin);
        return false;
    }
    xmlNodeAddContent(embedded, Name(file.toBase64().constData()));
    xmlNodeAddContent(origin, Name(source.c_str()));
    xmlReplaceNode(picture, embedded);
    xmlFreeNode(picture);
    xmlAddNextSibling(embedded, origin);
    return true;
}

} // namespace

std::u16string EmbedPictures(std::u16string_view document, const PictureLookup& lookup)
{
    const QByteArray utf8 = QString::fromStdU16String(std::u16string(document)).toUtf8();
    if (utf8.size() > std::numeric_limits<int>::max()) return {};
    const std::unique_ptr<xmlDoc, XmlFree> doc(xmlReadMemory(utf8.constData(), static_cast<int>(utf8.size()), nullptr,
                                                             "UTF-8", XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc) return {};
    std::vector<xmlNodePtr> pictures;
    CollectPictures(reinterpret_cast<xmlNodePtr>(doc.get()), pictures);
    for (xmlNodePtr picture : pictures) {
        const std::unique_ptr<xmlChar, XmlFree> content(xmlNodeGetContent(picture));
        const QString name = QString::fromUtf8(content ? reinterpret_cast<const char*>(content.get()) : "");
        QByteArray file;
        std::string source;
        if (lookup(name.toStdU16String(), file, source) && !ReplaceWithEmbedded(doc.get(), picture, file, source))
            std::fprintf(stderr, "qizpack: picture \"%s\" can't be embedded; the Picture element stays\n",
                         name.toUtf8().constData());
    }
    xmlChar* text = nullptr;
    int length = 0;
    xmlDocDumpMemoryEnc(doc.get(), &text, &length, "UTF-8");
    const std::unique_ptr<xmlChar, XmlFree> owned(text);
    return QString::fromUtf8(reinterpret_cast<const char*>(text), length).toStdU16String();
}

std::u16string EmbedPictures(std::u16string_view document, IQuizBook* book, const std::string& bookName)
{
    return EmbedPictures(document, [&](const std::u16string& number, QByteArray& file, std::string& source) {
        file = PictureFile(book, number);
        const std::string text = QString::fromStdU16String(number).toStdString();
        if (file.isEmpty()) {
            std::fprintf(stderr, "qizpack: %s holds no picture \"%s\"; the Picture element stays\n", bookName.c_str(),
                         text.c_str());
            return false;
        }
        source = bookName + " picture " + text;
        return true;
    });
}
