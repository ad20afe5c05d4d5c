#include "Prompts.h"

#include "ui/AnsiCodePage.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

class CRealPrompts final : public IPrompts {
public:
    void MessageBox(QWidget* parent, const std::string& text, Icon icon) override
    {
        const QMessageBox::Icon shown = icon == Icon::Error     ? QMessageBox::Critical
                                        : icon == Icon::Warning ? QMessageBox::Warning
                                                                : QMessageBox::NoIcon;
        QMessageBox box(shown, kProgramName, QString::fromStdU16String(AnsiToWide(text)), QMessageBox::Ok, parent);
        box.exec();
    }

    std::optional<std::string> ChooseQuizFile(QWidget* parent) override
    {
        // Open mode, read-only files hidden: the game only reads quiz files.
        const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), "Quiz Files (*.qiz)");
        if (path.isEmpty()) return std::nullopt;
        return path.toStdString();
    }

    std::optional<std::string> SaveQuizFile(QWidget* parent) override
    {
        QFileDialog dialog(parent, QString(), QString(), "Quiz Files (*.qiz)");
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("qiz");
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().front().toStdString();
    }
};

IPrompts* g_prompts = nullptr;

}  // namespace

IPrompts& Prompts()
{
    static CRealPrompts real;
    return g_prompts ? *g_prompts : real;
}

void SetPrompts(IPrompts* prompts) { g_prompts = prompts; }
