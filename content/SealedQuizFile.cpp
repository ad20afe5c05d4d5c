#include "SealedQuizFile.h"

#include "UserQuizFile.h"
#include "crypt/QuizCipher.h"

#include <QSaveFile>

bool WriteSealedQuizFile(const std::string& path, std::string_view plain, std::string& error)
{
    std::string passphrase;
    CQuizCipher cipher;
    if (!CUserQuizFile::Passphrase(passphrase) ||
        !cipher.Encipher(passphrase.c_str(), reinterpret_cast<const BYTE*>(plain.data()),
                         static_cast<DWORD>(plain.size()))) {
        error = "the quiz could not be enciphered";
        return false;
    }
    QSaveFile file(QString::fromStdString(path));
    const auto* data = reinterpret_cast<const char*>(cipher.Output());
    const qint64 size = cipher.OutputLength();
    if (!file.open(QIODevice::WriteOnly) || file.write(data, size) != size || !file.commit()) {
        // The temporary file goes with the object, uncommitted.
        error = file.errorString().toStdString();
        return false;
    }
    return true;
}
