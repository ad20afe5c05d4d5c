#include "CsvReader.h"

namespace {

class CCsvScanner {
public:
    CCsvScanner(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    bool Read(std::vector<CsvRecord>& records, CsvError& error)
    {
        while (m_at < m_text.size()) {
            CsvRecord record;
            record.line = m_line;
            bool more = true;
            while (more) {
                std::string field;
                if (!ReadField(field, error)) return false;
                record.fields.push_back(std::move(field));
                more = At(m_separator);
                if (more) ++m_at;
                else SkipLineBreak();
            }
            records.push_back(std::move(record));
        }
        return true;
    }

private:
    bool At(char c) const { return m_at < m_text.size() && m_text[m_at] == c; }
    bool AtLineBreak() const { return At('\n') || At('\r'); }
    bool AtBlank() const { return (At(' ') || At('\t')) && !At(m_separator); }

    // Consumes one CR LF, LF or CR and counts it.
    void SkipLineBreak()
    {
        if (At('\r')) ++m_at;
        if (At('\n')) ++m_at;
        ++m_line;
    }

    bool ReadField(std::string& field, CsvError& error)
    {
        // Blanks before an opening quote don't make the field unquoted.
        size_t start = m_at;
        while (AtBlank()) ++m_at;
        if (!At('"')) {
            m_at = start;
            while (m_at < m_text.size() && !At(m_separator) && !AtLineBreak()) field.push_back(m_text[m_at++]);
            return true;
        }
        const int opened = m_line;
        ++m_at;
        for (;;) {
            if (m_at >= m_text.size()) {
                error = {opened, "a quoted field is never closed"};
                return false;
            }
            if (At('"')) {
                ++m_at;
                if (!At('"')) break;
                field.push_back('"');
                ++m_at;
            } else if (AtLineBreak()) {
                SkipLineBreak();
                field.push_back('\n');
            } else {
                field.push_back(m_text[m_at++]);
            }
        }
        while (AtBlank()) ++m_at;
        if (m_at < m_text.size() && !At(m_separator) && !AtLineBreak()) {
            error = {m_line, "text follows the closing quote of a field (a quote inside quotes is written twice)"};
            return false;
        }
        return true;
    }

    std::string_view m_text;
    char m_separator;
    size_t m_at = 0;
    int m_line = 1;
};

} // namespace

bool ReadCsv(std::string_view text, char separator, std::vector<CsvRecord>& records, CsvError& error)
{
    records.clear();
    return CCsvScanner(text, separator).Read(records, error);
}
