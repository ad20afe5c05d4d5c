#include "TableImport.h"

#include "TestFindings.h"

#include <QFileInfo>

#include <cstdio>

namespace {

constexpr const char* kColumnNames[] = {"question", "answer", "option 1", "option 2", "option 3", "picture", "round"};
constexpr size_t kLeastColumns = 5;
constexpr size_t kMostColumns = 7;

bool IsBlank(const CsvRecord& record)
{
    for (const std::string& field : record.fields)
        if (!QString::fromStdString(field).trimmed().isEmpty()) return false;
    return true;
}

bool IsHeader(const CsvRecord& record)
{
    return record.fields.size() >= 2 &&
           QString::fromStdString(record.fields[0]).trimmed().compare("question", Qt::CaseInsensitive) == 0 &&
           QString::fromStdString(record.fields[1]).trimmed().compare("answer", Qt::CaseInsensitive) == 0;
}

} // namespace

CTableImport::CTableImport(std::string path, char separator, QString defaultRound, bool forceHeader)
    : m_path(std::move(path)), m_separator(separator), m_defaultRound(std::move(defaultRound)),
      m_forceHeader(forceHeader), m_folder(QFileInfo(QString::fromStdString(m_path)).absolutePath())
{
}

bool CTableImport::Fail(int line, const QString& reason)
{
    m_error = m_path + ":" + std::to_string(line) + ": " + reason.toStdString();
    return false;
}

void CTableImport::Warn(int line, const QString& finding) const
{
    std::fprintf(stderr, "warning: %s:%d: %s\n", m_path.c_str(), line, finding.toStdString().c_str());
}

bool CTableImport::Read(std::string_view bytes, ImportedQuiz& quiz)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::vector<CsvRecord> records;
    CsvError error;
    if (!ReadCsv(bytes, m_separator, records, error)) return Fail(error.line, QString::fromStdString(error.reason));
    bool first = true;
    for (const CsvRecord& record : records) {
        if (IsBlank(record)) continue;
        const bool header = first && (m_forceHeader || IsHeader(record));
        first = false;
        if (!header && !ReadRow(record, quiz)) return false;
    }
    if (quiz.rounds.empty()) {
        m_error = m_path + ": the table has no rows of tests";
        return false;
    }
    return true;
}

bool CTableImport::ReadRow(const CsvRecord& record, ImportedQuiz& quiz)
{
    const size_t columns = record.fields.size();
    if (columns < kLeastColumns || columns > kMostColumns)
        return Fail(record.line, QString("%1 columns, expected %2 to %3 (question, answer, three wrong options, "
                                         "then optionally a picture file and a round)")
                                     .arg(columns)
                                     .arg(kLeastColumns)
                                     .arg(kMostColumns));
    std::array<QString, kMostColumns> cells;
    for (size_t i = 0; i < columns; ++i) {
        const QByteArray bytes = QByteArray::fromStdString(record.fields[i]);
        const QString text = QString::fromUtf8(bytes);
        if (text.toUtf8() != bytes) return Fail(record.line, QString("the %1 is not UTF-8 text").arg(kColumnNames[i]));
        cells[i] = text.trimmed();
        if (const QString problem = UnshowableText(cells[i]); !problem.isEmpty())
            return Fail(record.line, QString("the %1 \"%2\": %3").arg(kColumnNames[i], cells[i], problem));
        if (i < kLeastColumns && cells[i].isEmpty()) return Fail(record.line, QString("the %1 is empty").arg(kColumnNames[i]));
    }
    ImportedTest test{cells[0], cells[1], {cells[2], cells[3], cells[4]}, cells[5], {}};
    if (!test.pictureName.isEmpty()) {
        QString problem;
        if (!ReadPictureFile(m_folder, test.pictureName, test.picture, problem)) return Fail(record.line, problem);
    }
    for (size_t i = 0; i < test.options.size(); ++i) {
        if (FoldCaseAndAccents(test.options[i].toStdU16String()) == FoldCaseAndAccents(test.answer.toStdU16String()))
            Warn(record.line, QString("option %1 \"%2\" is the answer").arg(i + 1).arg(test.options[i]));
        for (size_t j = i + 1; j < test.options.size(); ++j)
            if (AnswerKey(test.options[i]) == AnswerKey(test.options[j]))
                Warn(record.line, QString("options %1 and %2 are both \"%3\"").arg(i + 1).arg(j + 1).arg(test.options[i]));
    }
    RoundNamed(quiz, cells[6].isEmpty() ? m_defaultRound : cells[6]).tests.push_back(std::move(test));
    return true;
}
