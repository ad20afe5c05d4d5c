#pragma once
// CRegistrationScript: the registry script a component module carries as a
// resource of type "REGISTRY", and what registering and unregistering it do.
//
//   HKCR
//   {
//       NoRemove CLSID
//       {
//           ForceRemove {79A68F9B-6373-47B9-A1FD-9AB12306AEAD} = s 'CoFrench1 Class'
//           {
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'
//               }
//           }
//       }
//   }
//
// A root (HKCR or HKEY_CLASSES_ROOT) holds keys; a key may have a default
// value (= s 'text'), named values (val Name = s 'text') and subkeys in
// braces. Names are bare words or quoted; inside quotes '' stands for a
// quote. %NAME% is replaced by the caller's substitution for NAME and %% by
// %. Markers before a key name:
//   ForceRemove  registering deletes the key with its subtree and writes it
//                anew; unregistering deletes it with its subtree;
//   NoRemove     unregistering keeps the key (its contents are still removed);
//   Delete       registering deletes the key with its subtree.
// Unregistering removes the named values the script writes and then every key
// it writes, bottom up, except one that still holds other keys (another
// module's).
#include "com/RegistryData.h"
#include "ui/Resources.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

class CRegistrationScript {
public:
    using Substitutions = std::map<std::string, std::string>;

    // A syntax error or an unknown substitution gives E_INVALIDARG with
    // `error` set to "line <n>: <what is wrong>"; nothing is kept then.
    HRESULT Parse(std::string_view script, const Substitutions& substitutions, std::string& error);

    // Both return the registry's refusal of a key or value, which only a
    // substitution holding a line break can cause.
    HRESULT Register(CRegistryData& registry) const;
    HRESULT Unregister(CRegistryData& registry) const;

private:
    enum class Marker { None, ForceRemove, NoRemove, Delete };
    struct Key {
        std::string name;
        Marker marker = Marker::None;
        bool hasDefault = false;
        std::string defaultValue;
        std::vector<std::pair<std::string, std::string>> values;
        std::vector<Key> subkeys;
    };

    class CParser;

    static HRESULT RegisterKey(CRegistryData& registry, const std::string& path, const Key& key);
    static void UnregisterKey(CRegistryData& registry, const std::string& path, const Key& key);

    std::vector<Key> m_roots;  // each named by its full root name
};

// Parses the script and applies it to the user's registry in one
// transaction. When applying it to the registry as lookups see it, the
// system's layer included, would change nothing, nothing is written and the
// user's file is not even locked. Returns the parse failure (nothing
// written) or the registry's.
HRESULT UpdateRegistryFromScript(std::string_view script, const CRegistrationScript::Substitutions& substitutions,
                                 bool registering, std::string* error = nullptr);
// The same with the script held in the module's resource ("REGISTRY", id),
// text up to its first zero byte, and %MODULE% standing for the module's path
// unless the caller gives it. E_FAIL when there is no such resource.
HRESULT UpdateRegistryFromResource(HMODULE module, int id, const CRegistrationScript::Substitutions& substitutions,
                                   bool registering, std::string* error = nullptr);
