#include "XmlNames.h"

CXmlNode FirstElementChild(const CXmlNode& parent, std::u16string_view name)
{
    for (const CXmlNode& child : parent.childNodes())
        if (child.nodeType() == NODE_ELEMENT && child.nodeName() == name) return child;
    return {};
}

std::vector<CXmlNode> ElementChildren(const CXmlNode& parent)
{
    std::vector<CXmlNode> elements;
    for (const CXmlNode& child : parent.childNodes())
        if (child.nodeType() == NODE_ELEMENT) elements.push_back(child);
    return elements;
}
