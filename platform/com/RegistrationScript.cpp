#include "com/RegistrationScript.h"

#include "com/AsciiText.h"
#include "com/Registry.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct Token {
    enum Kind { Word, Quoted, Open, Close, Equals, End };
    Kind kind = End;
    std::string text;
    int line = 0;
};

} // namespace

class CRegistrationScript::CParser {
public:
    CParser(std::string_view script, const Substitutions& substitutions, std::string& error)
        : m_text(script), m_substitutions(substitutions), m_error(error)
    {
    }

    bool Run(std::vector<Key>& roots)
    {
        if (!Lex()) return false;
        while (Peek().kind != Token::End) {
            const Token& name = Next();
            if (name.kind != Token::Word ||
                !(SameAsciiText(name.text, "HKCR") || SameAsciiText(name.text, "HKEY_CLASSES_ROOT")))
                return Fail(name, "expected the root HKCR or HKEY_CLASSES_ROOT, not '" + name.text + "'");
            Key root;
            root.name = "HKEY_CLASSES_ROOT";
            root.marker = Marker::NoRemove;
            if (Next().kind != Token::Open) return Fail(Previous(), "expected '{' after the root");
            if (!ParseBody(root)) return false;
            roots.push_back(std::move(root));
        }
        return true;
    }

private:
    // Splits the script into tokens, substitutions already made.
    bool Lex()
    {
        int line = 1;
        size_t i = 0;
        while (i < m_text.size()) {
            const char c = m_text[i];
            if (IsBlank(c)) {
                if (c == '\n') ++line;
                ++i;
                continue;
            }
            Token token;
            token.line = line;
            if (c == '=') {
                token.kind = Token::Equals;
                ++i;
            } else if (c == '\'') {
                token.kind = Token::Quoted;
                std::string raw;
                for (++i;; ++i) {
                    if (i >= m_text.size() || m_text[i] == '\n') return Fail(token, "quoted text not closed by '");
                    if (m_text[i] == '\'') {
                        if (i + 1 < m_text.size() && m_text[i + 1] == '\'') {
                            raw.push_back('\'');
                            ++i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    raw.push_back(m_text[i]);
                }
                if (!Substitute(raw, token)) return false;
            } else {
                const size_t start = i;
                while (i < m_text.size() && !IsBlank(m_text[i]) && m_text[i] != '=' && m_text[i] != '\'') ++i;
                const std::string_view word = m_text.substr(start, i - start);
                // "{" and "}" on their own open and close a block; a name such
                // as {79A68F9B-...} merely starts and ends with braces.
                if (word.find_first_not_of("{}") == std::string_view::npos) {
                    for (const char brace : word) {
                        token.kind = brace == '{' ? Token::Open : Token::Close;
                        m_tokens.push_back(token);
                    }
                    continue;
                }
                token.kind = Token::Word;
                if (!Substitute(std::string(word), token)) return false;
            }
            m_tokens.push_back(std::move(token));
        }
        Token end;
        end.line = line;
        m_tokens.push_back(end);
        return true;
    }

    // Replaces %NAME% by the caller's text and %% by %, into token.text.
    bool Substitute(const std::string& raw, Token& token)
    {
        token.text.clear();
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '%') {
                token.text.push_back(raw[i]);
                continue;
            }
            const size_t close = raw.find('%', i + 1);
            if (close == std::string::npos) return Fail(token, "'%' without a closing '%'");
            const std::string name = raw.substr(i + 1, close - i - 1);
            if (name.empty()) {
                token.text.push_back('%');
            } else {
                const auto it = m_substitutions.find(name);
                if (it == m_substitutions.end()) return Fail(token, "unknown substitution %" + name + "%");
                token.text += it->second;
            }
            i = close;
        }
        return true;
    }

    // The keys and values of a block, up to and including its '}'.
    bool ParseBody(Key& parent)
    {
        for (;;) {
            const Token& token = Next();
            if (token.kind == Token::Close) return true;
            if (token.kind == Token::End) return Fail(token, "missing '}' at the end of the script");
            if (token.kind == Token::Word && SameAsciiText(token.text, "val")) {
                std::string name;
                std::string value;
                if (!ParseName(name, "expected a value name after 'val'")) return false;
                if (Next().kind != Token::Equals) return Fail(Previous(), "expected '=' after the value name");
                if (!ParseValue(value)) return false;
                parent.values.emplace_back(std::move(name), std::move(value));
                continue;
            }
            --m_pos;
            Key key;
            if (!ParseKey(key)) return false;
            parent.subkeys.push_back(std::move(key));
        }
    }

    bool ParseKey(Key& key)
    {
        while (Peek().kind == Token::Word) {
            const std::string& word = Peek().text;
            if (SameAsciiText(word, "ForceRemove")) key.marker = Marker::ForceRemove;
            else if (SameAsciiText(word, "NoRemove")) key.marker = Marker::NoRemove;
            else if (SameAsciiText(word, "Delete")) key.marker = Marker::Delete;
            else break;
            ++m_pos;
        }
        if (!ParseName(key.name, "expected a key name")) return false;
        if (Peek().kind == Token::Equals) {
            ++m_pos;
            if (!ParseValue(key.defaultValue)) return false;
            key.hasDefault = true;
        }
        if (Peek().kind == Token::Open) {
            ++m_pos;
            return ParseBody(key);
        }
        return true;
    }

    bool ParseName(std::string& name, std::string_view expected)
    {
        const Token& token = Next();
        if (token.kind != Token::Word && token.kind != Token::Quoted) return Fail(token, std::string(expected));
        if (token.text.empty() || token.text.find_first_of("\\\r\n") != std::string::npos)
            return Fail(token, "invalid name '" + token.text + "'");
        name = token.text;
        return true;
    }

    // "s 'text'": only text values are kept in this registry.
    bool ParseValue(std::string& value)
    {
        const Token& type = Next();
        if (type.kind != Token::Word) return Fail(type, "expected a value type after '='");
        if (!SameAsciiText(type.text, "s")) return Fail(type, "unsupported value type '" + type.text + "' (only s)");
        const Token& text = Next();
        if (text.kind != Token::Quoted) return Fail(text, "expected a quoted value");
        if (text.text.find_first_of("\r\n") != std::string::npos) return Fail(text, "line break inside a value");
        value = text.text;
        return true;
    }

    const Token& Peek() const { return m_tokens[m_pos]; }
    // Stays on the End token once reached.
    const Token& Next()
    {
        const Token& token = m_tokens[m_pos];
        if (token.kind != Token::End) ++m_pos;
        return token;
    }
    const Token& Previous() const { return m_tokens[m_pos == 0 ? 0 : m_pos - 1]; }

    bool Fail(const Token& at, const std::string& what)
    {
        m_error = "line " + std::to_string(at.line) + ": " + what;
        return false;
    }

    std::string_view m_text;
    const Substitutions& m_substitutions;
    std::string& m_error;
    std::vector<Token> m_tokens;
    size_t m_pos = 0;
};

HRESULT CRegistrationScript::Parse(std::string_view script, const Substitutions& substitutions, std::string& error)
{
    std::vector<Key> roots;
    CParser parser(script, substitutions, error);
    if (!parser.Run(roots)) return E_INVALIDARG;
    m_roots = std::move(roots);
    return S_OK;
}

HRESULT CRegistrationScript::RegisterKey(CRegistryData& registry, const std::string& path, const Key& key)
{
    if (key.marker == Marker::Delete || key.marker == Marker::ForceRemove) registry.DeleteKey(path, true);
    if (key.marker == Marker::Delete) return S_OK;
    if (const HRESULT hr = registry.CreateKey(path); FAILED(hr)) return hr;
    if (key.hasDefault)
        if (const HRESULT hr = registry.SetValue(path, "", key.defaultValue); FAILED(hr)) return hr;
    for (const auto& [name, value] : key.values)
        if (const HRESULT hr = registry.SetValue(path, name, value); FAILED(hr)) return hr;
    for (const Key& sub : key.subkeys)
        if (const HRESULT hr = RegisterKey(registry, path + "\\" + sub.name, sub); FAILED(hr)) return hr;
    return S_OK;
}

void CRegistrationScript::UnregisterKey(CRegistryData& registry, const std::string& path, const Key& key)
{
    // A Delete key was only ever taken away, never written.
    if (!registry.KeyExists(path) || key.marker == Marker::Delete) return;
    if (key.marker == Marker::ForceRemove) {
        registry.DeleteKey(path, true);
        return;
    }
    for (const Key& sub : key.subkeys) UnregisterKey(registry, path + "\\" + sub.name, sub);
    for (const auto& value : key.values) registry.DeleteValue(path, value.first);
    if (key.marker == Marker::NoRemove) return;
    // Fails, keeping the key, while another module's keys remain below it.
    registry.DeleteKey(path, false);
}

HRESULT CRegistrationScript::Register(CRegistryData& registry) const
{
    for (const Key& root : m_roots)
        if (const HRESULT hr = RegisterKey(registry, root.name, root); FAILED(hr)) return hr;
    return S_OK;
}

HRESULT CRegistrationScript::Unregister(CRegistryData& registry) const
{
    for (const Key& root : m_roots) UnregisterKey(registry, root.name, root);
    return S_OK;
}

HRESULT UpdateRegistryFromScript(std::string_view script, const CRegistrationScript::Substitutions& substitutions,
                                 bool registering, std::string* error)
{
    try {
        CRegistrationScript parsed;
        std::string parseError;
        if (const HRESULT hr = parsed.Parse(script, substitutions, parseError); FAILED(hr)) {
            if (error) *error = parseError;
            return hr;
        }
        const auto apply = [&](CRegistryData& registry) {
            return registering ? parsed.Register(registry) : parsed.Unregister(registry);
        };
        // A registration that would change nothing, as on every ordinary
        // start of the game, needs neither the lock nor a fresh read. It is
        // judged on what lookups see, the system's layer included: a new
        // user of an installed game then gets no registry file of their own.
        std::shared_ptr<const CRegistryData> current;
        if (SUCCEEDED(CRegistry::Snapshot(current))) {
            CRegistryData changed = *current;
            if (SUCCEEDED(apply(changed)) && changed == *current) return S_OK;
        }
        return CRegistry::Edit(apply, error);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UpdateRegistryFromResource(HMODULE module, int id, const CRegistrationScript::Substitutions& substitutions,
                                   bool registering, std::string* error)
{
    const HRSRC resource = FindResourceA(module, id, "REGISTRY");
    const auto* bytes = resource ? static_cast<const char*>(LockResource(resource)) : nullptr;
    if (!bytes) {
        if (error) *error = "no REGISTRY resource " + std::to_string(id);
        return E_FAIL;
    }
    const size_t size = SizeofResource(module, resource);
    const void* zero = std::memchr(bytes, 0, size);
    const std::string_view script(bytes, zero ? static_cast<const char*>(zero) - bytes : size);
    try {
        CRegistrationScript::Substitutions withModule = substitutions;
        withModule.try_emplace("MODULE", GetModuleFileName(module));
        return UpdateRegistryFromScript(script, withModule, registering, error);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
