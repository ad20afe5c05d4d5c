#include "xml/LibXmlScope.h"

#include <libxml/globals.h>
#include <libxml/parser.h>

#include <mutex>

namespace {

void IgnoreStructuredError(void*, xmlErrorPtr) {}
void IgnoreGenericError(void*, const char*, ...) {}
xmlParserInputPtr RefuseExternalResource(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

}  // namespace

CLibXmlScope::CLibXmlScope()
{
    // xmlInitParser is not safe to race with itself; documents may be made
    // first on any thread.
    static std::once_flag initialised;
    std::call_once(initialised, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalResource);
    });
    m_oldStructured = xmlStructuredError;
    m_oldStructuredContext = xmlStructuredErrorContext;
    m_oldGeneric = xmlGenericError;
    m_oldGenericContext = xmlGenericErrorContext;
    xmlSetStructuredErrorFunc(nullptr, IgnoreStructuredError);
    xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
}

CLibXmlScope::~CLibXmlScope()
{
    xmlSetStructuredErrorFunc(m_oldStructuredContext, m_oldStructured);
    xmlSetGenericErrorFunc(m_oldGenericContext, m_oldGeneric);
}
