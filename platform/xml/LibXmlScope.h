#pragma once
// CLibXmlScope: held for the length of every call into libxml2 that may parse
// or serialise. It initialises the library once per process, refusing every
// external resource a document may name (a quiz is self-contained, and its
// author must not be able to make the game read the player's files), and,
// while it lives, sends libxml2's error reports on this thread nowhere: a malformed
// quiz must never print on the player's terminal, and callers learn of a
// failure from the return value alone. The previous handlers come back when
// the scope ends, so another libxml2 user on the same thread is undisturbed.
#include <libxml/xmlerror.h>

class CLibXmlScope {
public:
    CLibXmlScope();
    ~CLibXmlScope();
    CLibXmlScope(const CLibXmlScope&) = delete;
    CLibXmlScope& operator=(const CLibXmlScope&) = delete;

private:
    xmlStructuredErrorFunc m_oldStructured = nullptr;
    void* m_oldStructuredContext = nullptr;
    xmlGenericErrorFunc m_oldGeneric = nullptr;
    void* m_oldGenericContext = nullptr;
};
