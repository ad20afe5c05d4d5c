#pragma once
// CXmlWriter: builds a new document element by element and writes it out,
// for the quiz documents the game makes itself. Names, texts and attribute
// values go in as they are: libxml2 escapes whatever markup needs escaped.
// A step that runs out of memory leaves the writer failed; Markup() is then
// empty, so a half-built document is never written.
#include <QByteArray>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class CXmlWriter {
public:
    // An element of this writer's document; a null one stands for a step
    // that failed, and every step taking it does nothing.
    class Element {
    public:
        explicit operator bool() const { return m_node != nullptr; }

    private:
        friend class CXmlWriter;
        void* m_node = nullptr;  // the libxml2 node, owned by the document
    };

    // A document holding the one element `rootName`.
    explicit CXmlWriter(std::u16string_view rootName);
    ~CXmlWriter();
    CXmlWriter(const CXmlWriter&) = delete;
    CXmlWriter& operator=(const CXmlWriter&) = delete;

    Element Root() const;
    // Appends an element to `parent`, holding `text` when it isn't empty.
    Element AddElement(Element parent, std::u16string_view name, std::u16string_view text = {});
    void SetAttribute(Element element, std::u16string_view name, std::u16string_view value);
    // Appends an element holding `bytes` in base64 that declares the
    // bin.base64 data type on itself, as CXmlNode::nodeTypedValue reads it.
    Element AddBase64Element(Element parent, std::u16string_view name, std::span<const std::uint8_t> bytes);

    // The document without an XML declaration, every character outside ASCII
    // written as a character reference, so that the text reads the same in
    // any 8-bit code page; empty when a step failed.
    std::string AsciiMarkup() const;

private:
    Element AddElementUtf8(Element parent, std::u16string_view name, const QByteArray& text);
    Element Adopt(Element parent, void* node);

    void* m_doc = nullptr;  // the libxml2 document
    bool m_bFailed = false;
};
