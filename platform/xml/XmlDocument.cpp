#include "xml/XmlDocument.h"

#include "xml/LibXmlScope.h"
#include "xml/XmlDocumentImpl.h"
#include "xml/XmlText.h"

#include <libxml/parser.h>

#include <limits>

namespace {

// Blank text between elements goes, and errors come back to us unprinted.
// Entity references are replaced while parsing, where libxml2 measures the
// expansion and refuses a document that would balloon; left in the tree they
// would expand without any limit each time a caller asked for the text. The
// replacement never reads a file or the network: CLibXmlScope refuses every
// external resource, and NONET stays as a second lock.
constexpr int kParseOptions =
    XML_PARSE_NOBLANKS | XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

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
    CLibXmlScope scope;
    const QByteArray utf8 = ToUtf8(text);
    xmlDocPtr parsed = nullptr;
    // The text is already decoded; "UTF-8" tells libxml2 to read the bytes as
    // they are rather than as the encoding the prolog declares.
    if (utf8.size() <= std::numeric_limits<int>::max())
        parsed = xmlReadMemory(utf8.constData(), static_cast<int>(utf8.size()), nullptr, "UTF-8", kParseOptions);
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
