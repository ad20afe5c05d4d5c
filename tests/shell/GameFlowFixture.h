#pragma once
// The fixture for whole games through the real widgets: the main window
// started as the program starts it, with helpers that click what a player
// clicks and advance the manual clock.
#include "ShellTestFixture.h"

#include "ControlTree.h"

#include "Playdeck.h"
#include "QuizDocuments.h"
#include "SealedFile.h"
#include "ShellMessages.h"
#include "GoodbyeDlg.h"
#include "ReviewDlg.h"
#include "WelcomeDlg.h"
#include "thebrainwheelDlg.h"
#include "ole/ControlWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <set>
#include <tuple>

namespace gameflow {

using Dlg = CthebrainwheelDlg;

inline std::string Narrow(const CComBSTR& text) { return QString::fromStdU16String(text.str()).toStdString(); }

class GameFlowTest : public ShellTest {
protected:
    void Open()
    {
        RegisterModule("Playdeck.so");
        RegisterModule("Wordcrate.so");
        dlg = std::make_unique<Dlg>();
        ASSERT_TRUE(dlg->OnInitDialog());
        dlg->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        dlg.reset();
        ShellTest::TearDown();
    }

    QWidget* Item(int id) const { return dlg->GetDlgItem(id); }
    bool Shown(int id) const { return Item(id) && Item(id)->isVisible(); }
    QListWidget* List() const { return dlg->Welcome()->DlgItem<QListWidget>(CWelcomeDlg::IDC_QUIZ_LIST); }
    std::vector<std::string> Titles() const
    {
        std::vector<std::string> titles;
        for (int i = 0; i < List()->count(); ++i) titles.push_back(List()->item(i)->text().toStdString());
        return titles;
    }

    void Click(QWidget* widget)
    {
        ASSERT_TRUE(widget && widget->isVisible());
        const QPoint centre = widget->rect().center();
        QTest::mouseMove(widget, centre);
        QTest::mouseClick(widget, Qt::LeftButton, {}, centre);
        QCoreApplication::processEvents();
    }
    void Pick(int row)
    {
        QListWidget* list = List();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        QCoreApplication::processEvents();
    }
    // Lets the console's display stand and the delayed step run.
    void Wait(int ms = Dlg::kStepDelayMs)
    {
        QCoreApplication::processEvents();
        timers.Advance(ms);
        QCoreApplication::processEvents();
    }

    // The texts the console shows now.
    std::vector<std::string> ConsoleTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& label : ControlsBelow<IImageText>(Item(Dlg::IDC_CONSOLE), IID_IImageText)) {
            CComBSTR text;
            label->get_Text(&text);
            if (text.Length() > 0) texts.push_back(Narrow(text));
        }
        return texts;
    }
    bool ConsoleShows(const std::string& prefix) const
    {
        for (const std::string& text : ConsoleTexts())
            if (text.rfind(prefix, 0) == 0) return true;
        return false;
    }
    // Clicks the label of the right option, or of a wrong one.
    void Answer(bool right)
    {
        QWidget* label = AnswerLabel(ControlsBelow<IOption>(Item(Dlg::IDC_CONSOLE), IID_IOption), right);
        ASSERT_TRUE(label) << "no option to click";
        QTest::mouseMove(label, QPoint(20, 10));
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 10));
    }

    // Plays the chosen quiz to its final message: Start Round at each round,
    // every second question answered wrongly until two lives are gone.
    // Returns the round captions seen.
    std::vector<std::string> PlayToTheEnd()
    {
        std::vector<std::string> rounds;
        int questions = 0, wrong = 0;
        for (int guard = 0; guard < 500 && !Shown(Dlg::IDC_NEW_QUIZ); ++guard) {
            if (Shown(Dlg::IDC_START_ROUND)) {
                for (const std::string& text : ConsoleTexts())
                    if (text.rfind("Round ", 0) == 0) rounds.push_back(text);
                Click(Item(Dlg::IDC_START_ROUND));
                continue;
            }
            const bool right = ++questions % 2 == 1 || wrong == 2;
            if (!right) ++wrong;
            Answer(right);
            Wait();
        }
        return rounds;
    }

    void ExpectFinalMessage()
    {
        ASSERT_TRUE(Shown(Dlg::IDC_NEW_QUIZ));
        EXPECT_FALSE(Shown(Dlg::IDC_START_ROUND));
        bool found = false;
        for (const std::string& text : ConsoleTexts())
            found |= text.find("Your Final Score is ") != std::string::npos && text.back() == '%';
        EXPECT_TRUE(found) << "the final message with the score and %";
    }

    void ExpectWelcomeInBookMode(size_t books)
    {
        EXPECT_TRUE(dlg->Welcome()->isVisible());
        EXPECT_FALSE(Shown(Dlg::IDC_CONSOLE));
        EXPECT_EQ(dlg->Welcome()->m_bUserFile, 0);
        EXPECT_FALSE(dlg->Welcome()->DlgItem<QCheckBox>(CWelcomeDlg::IDC_USE_FILE)->isChecked());
        EXPECT_EQ(static_cast<size_t>(List()->count()), books);
    }

    std::unique_ptr<Dlg> dlg;
};

} // namespace gameflow
