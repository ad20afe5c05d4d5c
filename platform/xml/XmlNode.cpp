#include "xml/XmlDocument.h"

#include "xml/LibXmlScope.h"
#include "xml/XmlDocumentImpl.h"
#include "xml/XmlText.h"

#include <QString>

#include <cstring>
#include <memory>

namespace {

constexpr const char* kDataTypesNamespace = "urn:schemas-microsoft-com:datatypes";

xmlNodePtr AsNode(void* node) { return static_cast<xmlNodePtr>(node); }

// Only these kinds show their children. An entity reference's child pointer
// leads to the entity's declaration, whose siblings are the rest of the
// document type, so a walk must never follow it.
xmlNodePtr FirstChildOf(xmlNodePtr node)
{
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_DOCUMENT_NODE:
        return node->children;
    default:
        return nullptr;
    }
}

std::u16string QualifiedName(const xmlNs* ns, const xmlChar* name)
{
    std::u16string result;
    if (ns && ns->prefix) result = FromUtf8(ns->prefix) + u':';
    return result + FromUtf8(name);
}

// The datatype attribute is normally "dt:dt" bound to the datatypes
// namespace, but hand-written quizzes sometimes forget the declaration; then
// libxml2 keeps the prefixed name as the attribute's whole name.
bool DeclaresBase64(xmlNodePtr element)
{
    for (xmlAttrPtr attr = element->properties; attr; attr = attr->next) {
        const char* name = reinterpret_cast<const char*>(attr->name);
        if (attr->ns) {
            if (std::strcmp(reinterpret_cast<const char*>(attr->ns->href), kDataTypesNamespace) != 0) continue;
        } else if (const char* colon = std::strrchr(name, ':')) {
            name = colon + 1;
        }
        if (std::strcmp(name, "dt") != 0) continue;
        xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attr));
        const bool base64 = value && xmlStrcmp(value, BAD_CAST "bin.base64") == 0;
        xmlFree(value);
        if (base64) return true;
    }
    return false;
}

struct XmlFree {
    void operator()(xmlChar* text) const { xmlFree(text); }
    void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
    void operator()(xmlBufferPtr buffer) const { xmlBufferFree(buffer); }
};

std::u16string DocumentMarkup(xmlDocPtr doc)
{
    if (!doc->children) return {};
    xmlChar* text = nullptr;
    int length = 0;
    xmlDocDumpMemoryEnc(doc, &text, &length, "UTF-8");
    const std::unique_ptr<xmlChar, XmlFree> owned(text);
    return FromUtf8(text, length);
}

// xmlNodeDump of the node in place would drop the namespace declarations made
// on its ancestors; a deep copy into a document of its own declares them on
// the copy, so the markup parses again on its own.
std::string NodeMarkup(xmlNodePtr node)
{
    const std::unique_ptr<xmlDoc, XmlFree> scratch(xmlNewDoc(BAD_CAST "1.0"));
    if (!scratch) return {};
    // With an encoding named, attribute values keep their characters instead
    // of turning every non-ASCII one into a character reference.
    scratch->encoding = xmlStrdup(BAD_CAST "UTF-8");
    xmlNodePtr copy = xmlDocCopyNode(node, scratch.get(), 1);
    if (!copy) return {};
    if (copy->type == XML_ELEMENT_NODE) xmlDocSetRootElement(scratch.get(), copy);
    else xmlAddChild(reinterpret_cast<xmlNodePtr>(scratch.get()), copy);

    const std::unique_ptr<xmlBuffer, XmlFree> buffer(xmlBufferCreate());
    if (!buffer) return {};
    // Grown to the exact size, as libxml2 does by default, a buffer taking an
    // embedded picture of megabytes would be copied over at every piece.
    xmlBufferSetAllocationScheme(buffer.get(), XML_BUFFER_ALLOC_DOUBLEIT);
    xmlOutputBufferPtr output = xmlOutputBufferCreateBuffer(buffer.get(), nullptr);
    if (!output) return {};
    xmlNodeDumpOutput(output, scratch.get(), copy, 0, 0, "UTF-8");
    xmlOutputBufferClose(output);
    return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                       static_cast<std::size_t>(xmlBufferLength(buffer.get())));
}

}  // namespace

std::u16string CXmlNode::nodeName() const
{
    if (!m_node) return {};
    const xmlNodePtr node = AsNode(m_node);
    switch (node->type) {
    case XML_TEXT_NODE:
        return u"#text";
    case XML_CDATA_SECTION_NODE:
        return u"#cdata-section";
    case XML_COMMENT_NODE:
        return u"#comment";
    case XML_DOCUMENT_NODE:
        return u"#document";
    case XML_ELEMENT_NODE:
        return QualifiedName(node->ns, node->name);
    case XML_ATTRIBUTE_NODE:
        return QualifiedName(reinterpret_cast<xmlAttrPtr>(node)->ns, node->name);
    default:  // a processing instruction's target, an entity's or a document type's name
        return FromUtf8(node->name);
    }
}

int CXmlNode::nodeType() const
{
    if (!m_node) return 0;
    // libxml2 numbers its node kinds as the DOM does, except the document type.
    const xmlElementType type = AsNode(m_node)->type;
    return type == XML_DTD_NODE ? NODE_DOCUMENT_TYPE : static_cast<int>(type);
}

std::vector<CXmlNode> CXmlNode::childNodes() const
{
    std::vector<CXmlNode> children;
    if (!m_node) return children;
    for (xmlNodePtr child = FirstChildOf(AsNode(m_node)); child; child = child->next)
        children.push_back(CXmlNode(m_doc, child));
    return children;
}

CXmlNode CXmlNode::firstChild() const
{
    if (!m_node) return {};
    xmlNodePtr child = FirstChildOf(AsNode(m_node));
    return child ? CXmlNode(m_doc, child) : CXmlNode();
}

CXmlNode CXmlNode::getNamedItem(std::u16string_view name) const
{
    if (!m_node || AsNode(m_node)->type != XML_ELEMENT_NODE) return {};
    for (xmlAttrPtr attr = AsNode(m_node)->properties; attr; attr = attr->next)
        if (QualifiedName(attr->ns, attr->name) == name) return CXmlNode(m_doc, attr);
    return {};
}

std::u16string CXmlNode::text() const
{
    if (!m_node) return {};
    const std::unique_ptr<xmlChar, XmlFree> content(xmlNodeGetContent(AsNode(m_node)));
    return FromUtf8(content.get());
}

std::u16string CXmlNode::xml() const
{
    if (!m_node) return {};
    const xmlNodePtr node = AsNode(m_node);
    switch (node->type) {
    case XML_DOCUMENT_NODE: {
        CLibXmlScope scope;
        return DocumentMarkup(reinterpret_cast<xmlDocPtr>(node));
    }
    case XML_ATTRIBUTE_NODE:
        return nodeName() + u"=\"" + QString::fromStdU16String(text()).toHtmlEscaped().toStdU16String() + u'"';
    default: {
        const std::string markup = xmlUtf8();
        return FromUtf8(reinterpret_cast<const xmlChar*>(markup.data()), static_cast<int>(markup.size()));
    }
    }
}

std::string CXmlNode::xmlUtf8() const
{
    if (!m_node) return {};
    const xmlNodePtr node = AsNode(m_node);
    if (node->type == XML_DOCUMENT_NODE || node->type == XML_ATTRIBUTE_NODE) return ToUtf8(xml()).toStdString();
    CLibXmlScope scope;
    return NodeMarkup(node);
}

bool CXmlNode::removeChild(const CXmlNode& child)
{
    if (!m_node || !child.m_node) return false;
    const xmlNodePtr target = AsNode(child.m_node);
    // An attribute's parent is its element too, but it is no child node.
    if (target->type == XML_ATTRIBUTE_NODE || target->parent != AsNode(m_node)) return false;
    xmlUnlinkNode(target);
    m_doc->m_removed.push_back(target);
    return true;
}

bool CXmlNode::nodeTypedValue(std::vector<std::uint8_t>& bytes) const
{
    if (!m_node || AsNode(m_node)->type != XML_ELEMENT_NODE || !DeclaresBase64(AsNode(m_node))) return false;
    // The decoder skips what isn't base64, which covers the line breaks and
    // indentation that wrap long encoded pictures.
    const QByteArray decoded = QByteArray::fromBase64(ToUtf8(text()));
    bytes.assign(decoded.begin(), decoded.end());
    return true;
}
