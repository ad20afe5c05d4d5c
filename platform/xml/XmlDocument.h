#pragma once
// A small DOM over libxml2 with exactly the operations the quiz readers use.
// Documents are shared; a node handle keeps its document alive.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CXmlDocument;
struct XmlDocumentImpl;
using XmlDocumentPtr = std::shared_ptr<CXmlDocument>;

enum XmlNodeType : int {
    NODE_ELEMENT = 1,
    NODE_ATTRIBUTE = 2,
    NODE_TEXT = 3,
    NODE_CDATA_SECTION = 4,
    NODE_ENTITY_REFERENCE = 5,
    NODE_PROCESSING_INSTRUCTION = 7,
    NODE_COMMENT = 8,
    NODE_DOCUMENT = 9,
    NODE_DOCUMENT_TYPE = 10,
};

class CXmlNode {
public:
    CXmlNode() = default;
    explicit operator bool() const { return m_node != nullptr; }

    // Element name, or "#comment", "#text", "#cdata-section", "#document", or
    // a processing instruction's target.
    std::u16string nodeName() const;
    int nodeType() const;
    // The children in document order (an entity reference shows none; its
    // text is the expansion).
    std::vector<CXmlNode> childNodes() const;
    CXmlNode firstChild() const;
    // The attribute node of that name (use text() for its value), or none.
    CXmlNode getNamedItem(std::u16string_view name) const;
    // The text content, entity references resolved.
    std::u16string text() const;
    // The markup of this node alone, so that it parses again on its own (the
    // namespace declarations of its ancestors included); for a document, the
    // whole document.
    std::u16string xml() const;
    // The same markup in UTF-8, for callers that pass megabytes along and
    // would only convert it again.
    std::string xmlUtf8() const;
    // Detaches the child; handles to it stay valid until the document goes.
    bool removeChild(const CXmlNode& child);
    // The decoded bytes of an element declaring the bin.base64 data type;
    // false for anything else.
    bool nodeTypedValue(std::vector<std::uint8_t>& bytes) const;

    bool operator==(const CXmlNode& other) const { return m_node == other.m_node; }

private:
    friend class CXmlDocument;
    CXmlNode(std::shared_ptr<XmlDocumentImpl> doc, void* node) : m_doc(std::move(doc)), m_node(node) {}

    std::shared_ptr<XmlDocumentImpl> m_doc;
    void* m_node = nullptr;  // the libxml2 node
};

class CXmlDocument {
public:
    // A new empty document, or nullptr when it can't be made.
    static XmlDocumentPtr Create();

    // Parses the whole text (no network, no external resources, a text node
    // of any length, and a document declaring an entity refused). Text nodes
    // of blanks alone are dropped wherever they stand. On failure the
    // document is empty.
    bool loadXML(std::u16string_view text);
    // The same from UTF-8 text.
    bool loadXMLUtf8(std::string_view text);
    // The document as a node: childNodes, firstChild, xml, removeChild.
    CXmlNode node() const;
    std::vector<CXmlNode> childNodes() const { return node().childNodes(); }
    CXmlNode firstChild() const { return node().firstChild(); }
    std::u16string xml() const { return node().xml(); }

private:
    CXmlDocument();
    std::shared_ptr<XmlDocumentImpl> m_impl;
};
