#include "com/RegistryFile.h"

#include <functional>

namespace {

constexpr std::string_view kHeader = "The Brainwheel registry 1";

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

// Reads a quoted string at the start of `text`, unescaping \\ and \", and
// leaves `text` after the closing quote. False when it is not one.
bool ReadQuoted(std::string_view& text, std::string& out)
{
    if (text.empty() || text.front() != '"') return false;
    out.clear();
    for (size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return true;
        }
        if (c == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) return false;
            out.push_back(text[++i]);
        } else {
            out.push_back(c);
        }
    }
    return false;
}

void AppendQuoted(std::string& out, std::string_view text)
{
    out.push_back('"');
    for (const char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

class CParser {
public:
    CParser(std::string_view fileName, std::string& error) : m_fileName(fileName), m_error(error) {}

    HRESULT Run(std::string_view text, CRegistryData& data)
    {
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
        bool headerSeen = false;
        while (!text.empty()) {
            ++m_line;
            const size_t end = text.find('\n');
            const std::string_view line = TrimRight(text.substr(0, end));
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            if (TrimLeft(line).empty() || line.front() == ';') continue;
            if (!headerSeen) {
                if (line != kHeader) return Fail("not a registry file (unknown header)");
                headerSeen = true;
                continue;
            }
            if (const HRESULT hr = ReadLine(line, data); FAILED(hr)) return hr;
        }
        return S_OK;
    }

private:
    HRESULT ReadLine(std::string_view line, CRegistryData& data)
    {
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3) return Fail("section name not closed by ']'");
            m_key = line.substr(1, line.size() - 2);
            if (FAILED(data.CreateKey(m_key))) return Fail("invalid key path");
            return S_OK;
        }
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else if (!ReadQuoted(line, name)) {
            return Fail("expected a section, '@' or a quoted value name");
        }
        if (m_key.empty()) return Fail("value outside any section");
        line = TrimLeft(line);
        if (line.empty() || line.front() != '=') return Fail("expected '=' after the value name");
        line = TrimLeft(line.substr(1));
        std::string value;
        if (!ReadQuoted(line, value)) return Fail("expected a quoted text value");
        if (!line.empty()) return Fail("unexpected text after the value");
        if (FAILED(data.SetValue(m_key, name, value))) return Fail("invalid value");
        return S_OK;
    }

    HRESULT Fail(std::string_view what)
    {
        m_error = std::string(m_fileName) + ":" + std::to_string(m_line) + ": " + std::string(what);
        return REGDB_E_READREGDB;
    }

    std::string_view m_fileName;
    std::string& m_error;
    int m_line = 0;
    std::string m_key;
};

} // namespace

HRESULT CRegistryFile::Parse(std::string_view text, std::string_view fileName, CRegistryData& data,
                             std::string& error)
{
    CRegistryData parsed;
    CParser parser(fileName, error);
    if (const HRESULT hr = parser.Run(text, parsed); FAILED(hr)) return hr;
    data = std::move(parsed);
    return S_OK;
}

std::string CRegistryFile::Serialize(const CRegistryData& data)
{
    std::string out(kHeader);
    out += "\n";
    const std::function<void(const std::string&)> writeKey = [&](const std::string& path) {
        out += "\n[" + path + "]\n";
        for (const std::string& name : data.ValueNames(path)) {
            std::string value;
            data.GetValue(path, name, value);
            if (name.empty()) out += "@";
            else AppendQuoted(out, name);
            out += "=";
            AppendQuoted(out, value);
            out += "\n";
        }
        for (const std::string& sub : data.SubKeys(path)) writeKey(path + "\\" + sub);
    };
    for (const std::string& root : data.SubKeys("")) writeKey(root);
    return out;
}
