#include "xml/XmlDocumentImpl.h"

#include "xml/LibXmlScope.h"

XmlDocumentImpl::~XmlDocumentImpl()
{
    // Removed nodes first: freeing a node consults its document's dictionary.
    for (xmlNodePtr node : m_removed) xmlFreeNode(node);
    xmlFreeDoc(m_doc);
}

std::shared_ptr<XmlDocumentImpl> XmlDocumentImpl::CreateEmpty()
{
    CLibXmlScope scope;
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    if (!doc) return nullptr;
    return std::make_shared<XmlDocumentImpl>(doc);
}
