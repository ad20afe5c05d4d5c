#include "xml/XmlDocument.h"

#include "xml/LibXmlScope.h"
#include "xml/XmlDocumentImpl.h"
#include "xml/XmlText.h"

#include <libxml/parser.h>

#include <algorithm>
#include <cstring>

namespace {

// Blank text between elements goes, and errors come back to us unprinted.
// Entity references are replaced while parsing, where libxml2 measures the
// expansion and refuses a document that would balloon; left in the tree they
// would expand without any limit each time a caller asked for the text. The
// replacement never reads a file or the network: CLibXmlScope refuses every
// external resource, and NONET stays as a second lock. The text is already
// decoded, so the encoding its prolog declares must never be applied again:
// IGNORE_ENC keeps libxml2 from switching to it part-way through the input.
constexpr int kParseOptions = XML_PARSE_NOBLANKS | XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOERROR |
                              XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;

// Hands libxml2 the text a piece at a time, as a file would come in. Given the
// whole text as one memory buffer, libxml2 refuses any document over 10 MB
// ("huge input lookup"), and a user quiz file with its pictures embedded is
// easily that big.
struct TextSource {
    const char* next;
    std::size_t left;
};

int ReadPiece(void* context, char* buffer, int length)
{
    auto* source = static_cast<TextSource*>(context);
    const std::size_t count = std::min(source->left, static_cast<std::size_t>(length > 0 ? length : 0));
    std::memcpy(buffer, source->next, count);
    source->next += count;
    source->left -= count;
    return static_cast<int>(count);
}

int ClosePieces(void*) { return 0; }

}  // namespace

CXmlDocument::CXmlDocument() = default;

XmlDocumentPtr CXmlDocument::Create()
{
    auto impl = XmlDocumentImpl::CreateEmpty();
    if (!impl) return nullptr;
    XmlDocumentPtr document(new CXmlDocument());
    document->m_impl = std::move(impl);
    return document;
}

bool CXmlDocument::loadXML(std::u16string_view text)
{
    const QByteArray utf8 = ToUtf8(text);
    return loadXMLUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

bool CXmlDocument::loadXMLUtf8(std::string_view text)
{
    CLibXmlScope scope;
    TextSource source{text.data(), text.size()};
    // The text is already decoded; "UTF-8" tells libxml2 to read the bytes as
    // they are rather than as the encoding the prolog declares.
    xmlDocPtr parsed = xmlReadIO(ReadPiece, ClosePieces, &source, nullptr, "UTF-8", kParseOptions);
    if (!parsed) {
        m_impl = XmlDocumentImpl::CreateEmpty();
        return false;
    }
    m_impl = std::make_shared<XmlDocumentImpl>(parsed);
    return true;
}

CXmlNode CXmlDocument::node() const
{
    if (!m_impl) return {};
    return CXmlNode(m_impl, m_impl->m_doc);
}
