// The table reader of qizpack import over arbitrary bytes. Whatever it
// accepts must survive being written back with every field quoted: the same
// fields come out again.
#include "CsvReader.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const char separator = (data[0] & 1) ? '\t' : ',';
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<CsvRecord> records;
    CsvError error;
    if (!ReadCsv(text, separator, records, error)) {
        if (error.line < 1 || error.reason.empty()) std::abort();
        return 0;
    }
    std::string written;
    int line = 0;
    for (const CsvRecord& record : records) {
        if (record.line <= line || record.fields.empty()) std::abort();
        line = record.line;
        for (size_t i = 0; i < record.fields.size(); ++i) {
            if (i > 0) written += separator;
            written += '"';
            for (const char c : record.fields[i]) written += c == '"' ? std::string("\"\"") : std::string(1, c);
            written += '"';
        }
        written += "\r\n";
    }
    std::vector<CsvRecord> again;
    if (!ReadCsv(written, separator, again, error) || again.size() != records.size()) std::abort();
    for (size_t i = 0; i < records.size(); ++i)
        if (again[i].fields != records[i].fields) std::abort();
    return 0;
}
