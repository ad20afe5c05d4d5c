#pragma once
// CRegistryFile: the registry's text form, in the syntax of registry exports.
//
//   The Brainwheel registry 1
//
//   [HKEY_CLASSES_ROOT\CLSID\{79A68F9B-6373-47B9-A1FD-9AB12306AEAD}]
//   @="CoFrench1 Class"
//   "AppID"="{C3DD85DA-0409-429B-9098-E628FAAECE69}"
//
// A header line, then one section per key naming its full path, each followed
// by the key's default value (@) and named values. Inside quotes a backslash
// and a quote are written \\ and \". Blank lines and lines starting with ';'
// are skipped. Parsing never touches the file system, so the parser can be
// fed any bytes.
#include "com/RegistryData.h"

#include <string>
#include <string_view>

class CRegistryFile {
public:
    // Fills `data` from `text`. On a malformed line returns REGDB_E_READREGDB
    // with `error` set to "<fileName>:<line>: <what is wrong>" and `data`
    // unchanged. Blank text is an empty registry.
    static HRESULT Parse(std::string_view text, std::string_view fileName, CRegistryData& data,
                         std::string& error);
    // The text that Parse reads back into the same keys and values. Keys and
    // values come out in the registry's case-blind order, so equal registries
    // give equal text.
    static std::string Serialize(const CRegistryData& data);
};
