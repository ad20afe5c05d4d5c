#pragma once
// CTableImport: a quiz from a table, one test a row. The columns are the
// question, the answer, three wrong options, optionally a picture file
// (relative to the table's folder) and optionally the round; a row without a
// round goes to the default round. The text is UTF-8, a byte order mark
// skipped; a first row whose first two cells read "question" and "answer"
// (in any case) is a header, and rows with every cell blank are passed over.
#include "CsvReader.h"
#include "ImportedQuiz.h"

#include <string>
#include <string_view>

class CTableImport {
public:
    // `path` names the table in messages and locates its pictures.
    CTableImport(std::string path, char separator, QString defaultRound, bool forceHeader);

    // Appends the table's tests to `quiz`; false, with Error() naming the
    // file, the line and the reason, at the first row that can't be used.
    // Doubtful rows (an option equal to the answer or to another option) are
    // warned of on standard error and kept.
    bool Read(std::string_view bytes, ImportedQuiz& quiz);
    const std::string& Error() const { return m_error; }

private:
    bool ReadRow(const CsvRecord& record, ImportedQuiz& quiz);
    bool Fail(int line, const QString& reason);
    void Warn(int line, const QString& finding) const;

    std::string m_path;
    char m_separator;
    QString m_defaultRound;
    bool m_forceHeader;
    QString m_folder;
    std::string m_error;
};
