#include "com/RegistryData.h"

#include <algorithm>
#include <utility>

namespace {

char Fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Keys nest at most this deep, so that walking the tree recursively stays
// well inside the stack whatever a registry file holds.
constexpr size_t kMaxDepth = 512;

// Splits a key path at its backslashes; false for an empty path, an empty
// part, which no key can be named by, or a path nested too deep.
bool SplitPath(std::string_view path, std::vector<std::string_view>& parts)
{
    parts.clear();
    if (path.empty()) return false;
    size_t start = 0;
    for (;;) {
        const size_t end = path.find('\\', start);
        const std::string_view part = path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (part.empty()) return false;
        parts.push_back(part);
        if (parts.size() > kMaxDepth) return false;
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

bool HoldsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

bool CRegistryData::NameLess::operator()(std::string_view a, std::string_view b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Fold(x) < Fold(y); });
}

CRegistryData::CRegistryData() : m_root(std::make_unique<Key>()) {}

CRegistryData::CRegistryData(const CRegistryData& other) : m_root(Clone(*other.m_root)) {}

CRegistryData& CRegistryData::operator=(const CRegistryData& other)
{
    if (this != &other) m_root = Clone(*other.m_root);
    return *this;
}

// A moved-from registry is left empty rather than without a root.
CRegistryData::CRegistryData(CRegistryData&& other) noexcept : m_root(std::make_unique<Key>())
{
    std::swap(m_root, other.m_root);
}

CRegistryData& CRegistryData::operator=(CRegistryData&& other) noexcept
{
    std::swap(m_root, other.m_root);
    return *this;
}

CRegistryData::~CRegistryData() = default;

std::unique_ptr<CRegistryData::Key> CRegistryData::Clone(const Key& key)
{
    auto copy = std::make_unique<Key>();
    copy->values = key.values;
    for (const auto& [name, sub] : key.subkeys) copy->subkeys.emplace(name, Clone(*sub));
    return copy;
}

bool CRegistryData::Equal(const Key& a, const Key& b)
{
    if (a.values.size() != b.values.size() || a.subkeys.size() != b.subkeys.size()) return false;
    const NameLess less;
    auto same = [&](std::string_view x, std::string_view y) { return !less(x, y) && !less(y, x); };
    for (auto i = a.values.begin(), j = b.values.begin(); i != a.values.end(); ++i, ++j)
        if (!same(i->first, j->first) || i->second != j->second) return false;
    for (auto i = a.subkeys.begin(), j = b.subkeys.begin(); i != a.subkeys.end(); ++i, ++j)
        if (!same(i->first, j->first) || !Equal(*i->second, *j->second)) return false;
    return true;
}

bool operator==(const CRegistryData& a, const CRegistryData& b)
{
    return CRegistryData::Equal(*a.m_root, *b.m_root);
}

const CRegistryData::Key* CRegistryData::Find(std::string_view path) const
{
    std::vector<std::string_view> parts;
    if (!SplitPath(path, parts)) return nullptr;
    const Key* key = m_root.get();
    for (const std::string_view part : parts) {
        const auto it = key->subkeys.find(part);
        if (it == key->subkeys.end()) return nullptr;
        key = it->second.get();
    }
    return key;
}

CRegistryData::Key* CRegistryData::Find(std::string_view path)
{
    return const_cast<Key*>(std::as_const(*this).Find(path));
}

bool CRegistryData::KeyExists(std::string_view path) const
{
    return Find(path) != nullptr;
}

bool CRegistryData::GetValue(std::string_view path, std::string_view name, std::string& value) const
{
    const Key* key = Find(path);
    if (!key) return false;
    const auto it = key->values.find(name);
    if (it == key->values.end()) return false;
    value = it->second;
    return true;
}

HRESULT CRegistryData::CreateKey(std::string_view path)
{
    std::vector<std::string_view> parts;
    if (!SplitPath(path, parts) || HoldsLineBreak(path)) return E_INVALIDARG;
    Key* key = m_root.get();
    for (const std::string_view part : parts) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end())
            it = key->subkeys.emplace(std::string(part), std::make_unique<Key>()).first;
        key = it->second.get();
    }
    return S_OK;
}

HRESULT CRegistryData::SetValue(std::string_view path, std::string_view name, std::string_view value)
{
    if (HoldsLineBreak(name) || HoldsLineBreak(value)) return E_INVALIDARG;
    if (const HRESULT hr = CreateKey(path); FAILED(hr)) return hr;
    Key* key = Find(path);
    const auto it = key->values.find(name);
    if (it != key->values.end()) it->second = value;
    else key->values.emplace(std::string(name), std::string(value));
    return S_OK;
}

HRESULT CRegistryData::DeleteValue(std::string_view path, std::string_view name)
{
    Key* key = Find(path);
    if (!key) return S_FALSE;
    const auto it = key->values.find(name);
    if (it == key->values.end()) return S_FALSE;
    key->values.erase(it);
    return S_OK;
}

HRESULT CRegistryData::DeleteKey(std::string_view path, bool subtree)
{
    const size_t slash = path.rfind('\\');
    Key* parent = slash == std::string_view::npos ? m_root.get() : Find(path.substr(0, slash));
    if (!parent) return S_FALSE;
    const auto it = parent->subkeys.find(path.substr(slash == std::string_view::npos ? 0 : slash + 1));
    if (it == parent->subkeys.end()) return S_FALSE;
    if (!subtree && !it->second->subkeys.empty()) return E_ACCESSDENIED;
    parent->subkeys.erase(it);
    return S_OK;
}

std::vector<std::string> CRegistryData::SubKeys(std::string_view path) const
{
    std::vector<std::string> names;
    const Key* key = path.empty() ? m_root.get() : Find(path);
    if (!key) return names;
    for (const auto& entry : key->subkeys) names.push_back(entry.first);
    return names;
}

std::vector<std::string> CRegistryData::ValueNames(std::string_view path) const
{
    std::vector<std::string> names;
    const Key* key = Find(path);
    if (!key) return names;
    for (const auto& entry : key->values) names.push_back(entry.first);
    return names;
}
