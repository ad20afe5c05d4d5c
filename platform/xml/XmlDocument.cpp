#include "xml/XmlDocument.h"

#include "xml/LibXmlScope.h"
#include "xml/XmlDocumentImpl.h"
#include "xml/XmlText.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <cstring>

namespace {

// Errors come back to us unprinted. A quiz document needs no entities of its
// own, so a declaration of one ends the parse (RefuseEntityDeclaration): with
// none declared there is nothing to expand, and HUGE can lift the limits on
// the length of a single text node, which an embedded picture of a few
// megabytes exceeds. NOENT only matters for the predefined references, and
// NONET stays as a second lock behind CLibXmlScope, which refuses every
// external resource. The text is already decoded, so the encoding its prolog
// declares must never be applied again: IGNORE_ENC keeps libxml2 from
// switching to it part-way through the input. Blank text is not left to the
// parser's guess (NOBLANKS keeps or drops it depending on where the input
// happens to be split); DropBlankText removes it after the parse.
constexpr int kParseOptions = XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                              XML_PARSE_IGNORE_ENC | XML_PARSE_HUGE;

// Hands libxml2 the text a piece at a time, as a file would come in, so that a
// user quiz file with its pictures embedded is never copied whole once more.
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

// Stopping alone would hand back the tree built so far as if it were whole.
void StopAsMalformed(void* context)
{
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    parser->wellFormed = 0;
    xmlStopParser(parser);
}

void RefuseEntityDeclaration(void* context, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*)
{
    StopAsMalformed(context);
}

void RefuseUnparsedEntityDeclaration(void* context, const xmlChar*, const xmlChar*, const xmlChar*, const xmlChar*)
{
    StopAsMalformed(context);
}

// HUGE also lifts libxml2's limit on how deeply elements nest, and a tree
// tens of thousands of elements deep runs its copying and writing out of
// stack. No quiz document comes near the limit libxml2 keeps without HUGE.
constexpr int kDeepestElement = 256;

void StartElementWithinDepth(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri,
                             int namespaceCount, const xmlChar** namespaces, int attributeCount, int defaultedCount,
                             const xmlChar** attributes)
{
    if (static_cast<xmlParserCtxtPtr>(context)->nameNr >= kDeepestElement) {
        StopAsMalformed(context);
        return;
    }
    xmlSAX2StartElementNs(context, localName, prefix, uri, namespaceCount, namespaces, attributeCount, defaultedCount,
                          attributes);
}

bool IsBlank(const xmlChar* text)
{
    for (; text && *text; ++text)
        if (!IS_BLANK_CH(*text)) return false;
    return true;
}

// Removes every text node that holds nothing but blanks, wherever it stands:
// the layout of a document (line breaks and indentation between elements, an
// element left empty on several lines) must never count as content. The walk
// goes by the tree's own links, so deep documents cost no stack.
void DropBlankText(xmlDocPtr doc)
{
    xmlNodePtr node = doc->children;
    while (node) {
        xmlNodePtr next = nullptr;
        if (node->type == XML_ELEMENT_NODE && node->children) {
            next = node->children;
        } else {
            for (xmlNodePtr up = node; up && up != reinterpret_cast<xmlNodePtr>(doc) && !next; up = up->parent)
                next = up->next;
        }
        if (node->type == XML_TEXT_NODE && IsBlank(node->content)) {
            xmlUnlinkNode(node);
            xmlFreeNode(node);
        }
        node = next;
    }
}

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
    xmlDocPtr parsed = nullptr;
    if (xmlParserCtxtPtr parser = xmlNewParserCtxt()) {
        parser->sax->entityDecl = RefuseEntityDeclaration;
        parser->sax->unparsedEntityDecl = RefuseUnparsedEntityDeclaration;
        parser->sax->startElementNs = StartElementWithinDepth;
        TextSource source{text.data(), text.size()};
        // The text is already decoded; "UTF-8" tells libxml2 to read the bytes
        // as they are rather than as the encoding the prolog declares.
        parsed = xmlCtxtReadIO(parser, ReadPiece, ClosePieces, &source, nullptr, "UTF-8", kParseOptions);
        xmlFreeParserCtxt(parser);
    }
    if (!parsed) {
        m_impl = XmlDocumentImpl::CreateEmpty();
        return false;
    }
    DropBlankText(parsed);
    m_impl = std::make_shared<XmlDocumentImpl>(parsed);
    return true;
}

CXmlNode CXmlDocument::node() const
{
    if (!m_impl) return {};
    return CXmlNode(m_impl, m_impl->m_doc);
}
