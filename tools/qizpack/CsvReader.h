#pragma once
// Reads comma- or tab-separated tables as spreadsheets write them: a field in
// double quotes may hold the separator, line breaks and doubled quotes; a
// record ends at a line break (CR LF, LF or CR). Bytes other than the
// separator, quotes and line breaks pass through as they are, so UTF-8 text
// reads unchanged.
#include <string>
#include <string_view>
#include <vector>

struct CsvRecord {
    int line = 0;  // where the record starts, from 1
    std::vector<std::string> fields;
};

struct CsvError {
    int line = 0;
    std::string reason;
};

// Every record of `text`, a blank line being a record of one empty field.
// Line breaks inside quotes come out as LF. False, with `error` set, for a
// quoted field that is never closed or is followed by more text.
bool ReadCsv(std::string_view text, char separator, std::vector<CsvRecord>& records, CsvError& error);
