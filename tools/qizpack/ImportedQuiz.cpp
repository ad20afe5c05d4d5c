#include "ImportedQuiz.h"

#include "ui/AnsiCodePage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QUrl>

ImportedRound& RoundNamed(ImportedQuiz& quiz, const QString& category)
{
    for (ImportedRound& round : quiz.rounds)
        if (round.category == category) return round;
    quiz.rounds.push_back({category, {}});
    return quiz.rounds.back();
}

QString UnshowableText(const QString& text)
{
    for (const QChar c : text)
        if ((c.unicode() < 0x20 && c != u'\n' && c != u'\t') || c.unicode() == 0x7F)
            return QString("it holds the control character U+%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
    const std::u16string wide = text.toStdU16String();
    if (AnsiToWide(WideToAnsi(wide)) != wide)
        return "it has characters outside the Windows-1252 code page, which quiz documents can't hold";
    return {};
}

QString AnswerKey(const QString& text) { return text.trimmed().toCaseFolded(); }

bool ReadPictureFile(const QString& folder, const QString& name, QByteArray& bytes, QString& error)
{
    QString path = name;
    if (name.startsWith("file:", Qt::CaseInsensitive)) path = QUrl(name).toLocalFile();
    else if (QDir::isRelativePath(name)) path = QDir(folder).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QString("picture \"%1\" can't be read (%2)").arg(name, file.errorString());
        return false;
    }
    bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "gif" && format != "jpeg" && format != "png") {
        error = QString("picture \"%1\" is not a BMP, GIF, JPEG or PNG picture").arg(name);
        return false;
    }
    if (reader.read().isNull()) {
        error = QString("picture \"%1\" is damaged (%2)").arg(name, reader.errorString());
        return false;
    }
    return true;
}
