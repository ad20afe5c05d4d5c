// The review window on its own: saving through the prompts, where a file
// that can't be written is told by name and leaves nothing behind.
#include "ShellTestFixture.h"

#include "PictureBytes.h"
#include "ReviewDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::vector<MissedTest> TwoMissed()
{
    const QByteArray png = EncodedImage(40, 30);
    return {{u"Le chat", u"The cat", u"The dog", u"The cow", u"The hen", u"Animals", {}},
            {u"Rouge", u"Red", u"Pink", u"Rust", u"Orange", u"Picture Board", {png.begin(), png.end()}}};
}

// The names in a folder, to see that nothing was left there.
std::set<std::string> Listing(const fs::path& folder)
{
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) names.insert(entry.path().filename().string());
    return names;
}

class ReviewDlgTest : public ShellTest {
protected:
    void SetUp() override { Start({"thebrainwheel"}); }
};

TEST_F(ReviewDlgTest, AFileThatCannotBeWrittenIsToldByNameAndNothingIsLeft)
{
    const fs::path readOnly = env.Dir() / "locked";
    fs::create_directory(readOnly);
    ::chmod(readOnly.c_str(), 0555);
    const fs::path notAFolder = env.Dir() / "plain";
    std::ofstream(notAFolder) << "x";
    std::vector<fs::path> targets = {env.Dir() / "missing" / "review.qiz", notAFolder / "review.qiz",
                                     "/proc/brainwheel-review.qiz"};
    // Root writes into a read-only folder regardless; /proc stands for one then.
    if (::geteuid() != 0) targets.push_back(readOnly / "review.qiz");

    CReviewDlg review(TwoMissed(), nullptr);
    review.show();
    // Cancelling the file dialog writes nothing and says nothing.
    const std::set<std::string> untouched = Listing(env.Dir());
    QTest::mouseClick(review.SaveButton(), Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Listing(env.Dir()), untouched);

    for (const fs::path& target : targets) {
        prompts.messages.clear();
        const std::set<std::string> before = Listing(target.parent_path());
        prompts.saveAs = target.string();
        QTest::mouseClick(review.SaveButton(), Qt::LeftButton);
        ASSERT_EQ(prompts.messages.size(), 1u) << target;
        EXPECT_NE(prompts.messages[0].find(target.string()), std::string::npos) << prompts.messages[0];
        EXPECT_FALSE(fs::exists(target)) << target;
        // Only this attempt's own leftovers count: /proc lists processes that
        // come and go meanwhile.
        for (const std::string& name : Listing(target.parent_path()))
            EXPECT_TRUE(before.count(name) || name.rfind(target.filename().string(), 0) != 0)
                << "a temporary file was left in " << target.parent_path() << ": " << name;
        EXPECT_TRUE(review.Status()->text().isEmpty());
    }
    ::chmod(readOnly.c_str(), 0755);

    // A good place after the failures.
    prompts.messages.clear();
    prompts.saveAs = (env.Dir() / "review.qiz").string();
    QTest::mouseClick(review.SaveButton(), Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(review.Status()->text(), "Saved to review.qiz");
    EXPECT_TRUE(fs::is_regular_file(env.Dir() / "review.qiz"));
}

}  // namespace
