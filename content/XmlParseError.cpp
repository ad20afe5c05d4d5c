#include "XmlParseError.h"

#include "xml/LibXmlScope.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <limits>

namespace {

int LineOf(std::string_view text, std::size_t offset)
{
    if (offset == std::string_view::npos) return 0;
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// libxml2 goes on past the first fault and keeps only the last; the first is
// the one an author can act on.
void KeepFirstError(void* context, xmlErrorPtr error)
{
    auto* found = static_cast<XmlParseError*>(context);
    if (!error || error->level < XML_ERR_ERROR || !found->reason.empty()) return;
    found->line = error->line;
    found->reason = error->message ? error->message : "the parser gave no reason";
    while (!found->reason.empty() && (found->reason.back() == '\n' || found->reason.back() == ' '))
        found->reason.pop_back();
}

} // namespace

XmlParseError FindXmlParseError(std::string_view utf8)
{
    if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return {0, "the text is too long"};
    CLibXmlScope scope;
    XmlParseError found;
    xmlSetStructuredErrorFunc(&found, KeepFirstError);
    xmlParserCtxtPtr parser = xmlNewParserCtxt();
    if (!parser) return {0, "the XML parser can't be started"};
    constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC |
                             XML_PARSE_HUGE;
    xmlDocPtr document =
        xmlCtxtReadMemory(parser, utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8", kOptions);
    if (document) {
        if (document->intSubset && document->intSubset->entities)
            found = {LineOf(utf8, utf8.find("<!ENTITY")), "it declares an entity, which is refused"};
        xmlFreeDoc(document);
    } else if (found.reason.empty()) {
        found.reason = "the parser gave no reason";
    }
    xmlFreeParserCtxt(parser);
    return found;
}

std::string DescribeXmlParseError(const XmlParseError& error)
{
    std::string text = "not well-formed";
    if (error.line > 0) text += " at line " + std::to_string(error.line);
    return error.reason.empty() ? text : text + " (" + error.reason + ")";
}
