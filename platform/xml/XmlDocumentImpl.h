#pragma once
// XmlDocumentImpl: the libxml2 tree of one load, shared by the document and
// every node handle into it. A new load gives the document a new tree, so
// handles into the old one stay usable for as long as they are held. Nodes
// removed from the tree are kept here, not freed, for the same reason.
#include <libxml/tree.h>

#include <memory>
#include <vector>

struct XmlDocumentImpl {
    explicit XmlDocumentImpl(xmlDocPtr doc) : m_doc(doc) {}
    ~XmlDocumentImpl();
    XmlDocumentImpl(const XmlDocumentImpl&) = delete;
    XmlDocumentImpl& operator=(const XmlDocumentImpl&) = delete;

    // A tree with no nodes, or nullptr when libxml2 can't allocate one.
    static std::shared_ptr<XmlDocumentImpl> CreateEmpty();

    xmlDocPtr m_doc;
    std::vector<xmlNodePtr> m_removed;  // unlinked children, each the root of its subtree
};
