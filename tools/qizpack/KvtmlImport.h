#pragma once
// CKvtmlImport: a quiz from a KVTML 2 vocabulary file. The question is an
// entry's text in one identifier (language), the answer its text in another;
// every lesson (container, at any depth) with entries becomes a round named
// after it, and entries in no lesson go to the default round. The three
// wrong options of a test are answers of other entries of the same lesson,
// never equal to the answer or to each other (trimmed, case folded), drawn by
// a generator seeded with a fixed number, so that the same file and seed give
// the same quiz. A lesson with fewer than four distinct answers is an error.
// The picture of a test is the question's image, else the answer's.
#include "ImportedQuiz.h"

#include "xml/XmlDocument.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

class CKvtmlImport {
public:
    struct Settings {
        int questionId = 0;
        int answerId = 1;
        std::uint32_t seed = 1;
        QString defaultRound;  // for entries in no lesson
    };

    // `path` names the file in messages and locates its pictures.
    CKvtmlImport(std::string path, Settings settings);

    // Fills `quiz` (its title from the file's own title unless it has one
    // already); false with Error() saying what is wrong. Entries with no text
    // in either identifier are warned of on standard error and skipped.
    bool Read(std::string_view bytes, ImportedQuiz& quiz);
    const std::string& Error() const { return m_error; }

private:
    struct Entry {
        QString id;
        QString question;
        QString answer;
        QString picture;
    };

    bool CheckIdentifiers(const CXmlNode& kvtml);
    bool ReadEntries(const CXmlNode& kvtml);
    void CollectLessons(const CXmlNode& parent, std::vector<std::pair<QString, std::vector<QString>>>& lessons);
    bool AddRound(const QString& lesson, const std::vector<QString>& entryIds, ImportedQuiz& quiz);
    bool Fail(const QString& reason);
    void Warn(const QString& finding) const;

    std::string m_path;
    Settings m_settings;
    QString m_folder;
    std::vector<Entry> m_entries;            // the usable ones, in file order
    std::map<QString, size_t> m_entryIndex;  // by id
    std::uint32_t m_state;                   // the option generator
    std::string m_error;
};
