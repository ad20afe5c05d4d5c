#include "SealedQuizFile.h"

#include "UserQuizFile.h"
#include "crypt/QuizCipher.h"

#include <QSaveFile>

bool SealQuizText(std::string_view plain, std::string& sealed)
{
    std::string passphrase;
    CQuizCipher cipher;
    if (!CUserQuizFile::Passphrase(passphrase) ||
        !cipher.Encipher(passphrase.c_str(), reinterpret_cast<const BYTE*>(plain.data()),
                         static_cast<DWORD>(plain.size())))
        return false;
    sealed.assign(reinterpret_cast<const char*>(cipher.Output()), cipher.OutputLength());
    return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error)
{
    QSaveFile file(QString::fromStdString(path));
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size || !file.commit()) {
        // The temporary file goes with the object, uncommitted.
        error = file.errorString().toStdString();
        return false;
    }
    return true;
}

bool WriteSealedQuizFile(const std::string& path, std::string_view plain, std::string& error)
{
    std::string sealed;
    if (!SealQuizText(plain, sealed)) {
        error = "the quiz could not be enciphered";
        return false;
    }
    return WriteWholeFile(path, sealed, error);
}
