#pragma once
// What an import makes of a table or a vocabulary file: one quiz of rounds
// of tests, with the pictures already read, before it becomes a document.
#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

struct ImportedTest {
    QString question;
    QString answer;
    std::array<QString, 3> options;
    QString pictureName;  // as the source names it; empty for no picture
    QByteArray picture;   // the picture file's bytes
};

struct ImportedRound {
    QString category;
    std::vector<ImportedTest> tests;
};

struct ImportedQuiz {
    QString title;
    std::vector<ImportedRound> rounds;
};

// The round of that category, appended when the quiz has none yet: rounds
// keep the order in which their first test came.
ImportedRound& RoundNamed(ImportedQuiz& quiz, const QString& category);

// Why the text can't go into a quiz document as it is ("" when it can): the
// documents are in the Windows-1252 code page and hold no control
// characters but line breaks and tabs.
QString UnshowableText(const QString& text);

// The key under which two answers count as the same: trimmed, case folded.
QString AnswerKey(const QString& text);

// Reads a picture file named by an import, relative to `folder` unless
// absolute or a file: URL; false with `error` set when it can't be read or
// is not a BMP, GIF, JPEG or PNG picture the game can show.
bool ReadPictureFile(const QString& folder, const QString& name, QByteArray& bytes, QString& error);
