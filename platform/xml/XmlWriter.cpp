#include "xml/XmlWriter.h"

#include "xml/LibXmlScope.h"
#include "xml/XmlText.h"

#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include <memory>

namespace {

constexpr const char* kDataTypesNamespace = "urn:schemas-microsoft-com:datatypes";

xmlDocPtr AsDoc(void* doc) { return static_cast<xmlDocPtr>(doc); }
xmlNodePtr AsNode(void* node) { return static_cast<xmlNodePtr>(node); }

struct BufferFree {
    void operator()(xmlBufferPtr buffer) const { xmlBufferFree(buffer); }
};

}  // namespace

CXmlWriter::CXmlWriter(std::u16string_view rootName)
{
    CLibXmlScope scope;
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    m_doc = doc;
    xmlNodePtr root = doc ? xmlNewDocNode(doc, nullptr, BAD_CAST ToUtf8(rootName).constData(), nullptr) : nullptr;
    if (!root) {
        m_bFailed = true;
        return;
    }
    xmlDocSetRootElement(doc, root);
}

CXmlWriter::~CXmlWriter()
{
    if (m_doc) xmlFreeDoc(AsDoc(m_doc));
}

CXmlWriter::Element CXmlWriter::Root() const
{
    Element root;
    if (m_doc) root.m_node = xmlDocGetRootElement(AsDoc(m_doc));
    return root;
}

CXmlWriter::Element CXmlWriter::Adopt(Element parent, void* node)
{
    Element element;
    if (!node || !xmlAddChild(AsNode(parent.m_node), AsNode(node))) {
        xmlFreeNode(AsNode(node));
        m_bFailed = true;
        return element;
    }
    element.m_node = node;
    return element;
}

CXmlWriter::Element CXmlWriter::AddElement(Element parent, std::u16string_view name, std::u16string_view text)
{
    return AddElementUtf8(parent, name, ToUtf8(text));
}

CXmlWriter::Element CXmlWriter::AddElementUtf8(Element parent, std::u16string_view name, const QByteArray& text)
{
    if (!parent) return {};
    // Created empty and filled through xmlNodeAddContent, which takes the
    // text literally: given to xmlNewDocNode it would be read as markup.
    xmlNodePtr node = xmlNewDocNode(AsDoc(m_doc), nullptr, BAD_CAST ToUtf8(name).constData(), nullptr);
    if (node && !text.isEmpty()) xmlNodeAddContentLen(node, BAD_CAST text.constData(), static_cast<int>(text.size()));
    return Adopt(parent, node);
}

void CXmlWriter::SetAttribute(Element element, std::u16string_view name, std::u16string_view value)
{
    if (!element) return;
    if (!xmlSetProp(AsNode(element.m_node), BAD_CAST ToUtf8(name).constData(), BAD_CAST ToUtf8(value).constData()))
        m_bFailed = true;
}

CXmlWriter::Element CXmlWriter::AddBase64Element(Element parent, std::u16string_view name,
                                                 std::span<const std::uint8_t> bytes)
{
    const QByteArray encoded =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))
            .toBase64();
    const Element element = AddElementUtf8(parent, name, encoded);
    if (!element) return element;
    xmlNodePtr node = AsNode(element.m_node);
    xmlNsPtr ns = xmlNewNs(node, BAD_CAST kDataTypesNamespace, BAD_CAST "dt");
    if (!ns || !xmlNewNsProp(node, ns, BAD_CAST "dt", BAD_CAST "bin.base64")) m_bFailed = true;
    return element;
}

std::string CXmlWriter::AsciiMarkup() const
{
    if (m_bFailed || !m_doc) return {};
    CLibXmlScope scope;
    const std::unique_ptr<xmlBuffer, BufferFree> buffer(xmlBufferCreate());
    if (!buffer) return {};
    xmlBufferSetAllocationScheme(buffer.get(), XML_BUFFER_ALLOC_DOUBLEIT);
    // Saving to ASCII makes libxml2 write every other character as a
    // reference, in text and attribute values alike.
    xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer.get(), "ASCII", XML_SAVE_NO_DECL);
    if (!save) return {};
    const long saved = xmlSaveDoc(save, AsDoc(m_doc));
    if (xmlSaveClose(save) < 0 || saved < 0) return {};
    return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                       static_cast<std::size_t>(xmlBufferLength(buffer.get())));
}
