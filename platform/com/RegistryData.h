#pragma once
// CRegistryData: the registry's keys and values held in memory. A key is named
// by its path from a root, parts separated by backslashes
// ("HKEY_CLASSES_ROOT\CLSID\{...}"). Key names and value names compare without
// regard to (ASCII) case and keep the case they were first written in. Every
// value is text; the empty value name stands for the key's default value.
#include "com/ComTypes.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CRegistryData {
public:
    CRegistryData();
    CRegistryData(const CRegistryData& other);
    CRegistryData& operator=(const CRegistryData& other);
    CRegistryData(CRegistryData&&) noexcept;
    CRegistryData& operator=(CRegistryData&&) noexcept;
    ~CRegistryData();

    bool KeyExists(std::string_view path) const;
    // False when the key or the value is absent.
    bool GetValue(std::string_view path, std::string_view name, std::string& value) const;
    // Creates the key and every missing ancestor.
    HRESULT CreateKey(std::string_view path);
    // Creates the key as needed. E_INVALIDARG for a line break in the name or
    // the value, which the file could not hold.
    HRESULT SetValue(std::string_view path, std::string_view name, std::string_view value);
    // S_FALSE when there was no such value.
    HRESULT DeleteValue(std::string_view path, std::string_view name);
    // Without `subtree` a key that still has subkeys is kept (E_ACCESSDENIED).
    // S_FALSE when there was no such key.
    HRESULT DeleteKey(std::string_view path, bool subtree);
    // Names of the direct subkeys, in the registry's (case-blind) order.
    std::vector<std::string> SubKeys(std::string_view path) const;
    // Names of the key's values, the default value as "".
    std::vector<std::string> ValueNames(std::string_view path) const;

    // Same keys and values; names compared without regard to case.
    friend bool operator==(const CRegistryData& a, const CRegistryData& b);

private:
    struct NameLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    struct Key {
        std::map<std::string, std::string, NameLess> values;
        std::map<std::string, std::unique_ptr<Key>, NameLess> subkeys;
    };

    const Key* Find(std::string_view path) const;
    Key* Find(std::string_view path);
    static std::unique_ptr<Key> Clone(const Key& key);
    static bool Equal(const Key& a, const Key& b);

    std::unique_ptr<Key> m_root;
};
