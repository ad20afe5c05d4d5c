#include "ReviewDlg.h"

#include "MissedTestsDocument.h"
#include "Prompts.h"
#include "SealedQuizFile.h"
#include "ui/AnsiCodePage.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr QSize kThumbnail(72, 54);

// The game's look: black, white text, gold for titles and outlines, as the
// picture buttons and the welcome screen's frame are drawn, and every other
// row in the deep blue of the stage. A style sheet sets the font of every
// widget it styles, so the game's face is named here.
constexpr const char* kStyle = R"(
* { font-family: Arial; font-size: 12px; }
QDialog { background: black; }
QLabel { color: white; }
QLabel#heading { color: #ffd700; font-size: 16px; font-weight: bold; }
QTableWidget { background: black; alternate-background-color: #090d24; color: white; border: 1px solid #96691a; }
QHeaderView::section { background: black; color: #ffd700; border: none; border-bottom: 1px solid #96691a;
                       padding: 3px; font-weight: bold; }
QTableCornerButton::section { background: black; border: none; }
QPushButton { background: black; color: white; border: 1px solid #ffd700; border-radius: 11px;
              padding: 4px 16px; font-weight: bold; }
QPushButton:hover { background: #1c2450; }
QPushButton:pressed { background: #2c3878; }
)";

QString Text(const std::u16string& text) { return QString::fromStdU16String(text); }

QTableWidgetItem* ReadOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

CReviewDlg::CReviewDlg(std::vector<MissedTest> tests, QWidget* parent) : QDialog(parent), m_tests(std::move(tests))
{
    setWindowTitle("Review Missed Questions");
    setStyleSheet(kStyle);
    resize(560, 420);

    auto* heading = new QLabel(this);
    heading->setObjectName("heading");
    heading->setText(m_tests.size() == 1 ? QStringLiteral("1 question missed")
                                         : QStringLiteral("%1 questions missed").arg(m_tests.size()));
    auto* hint = new QLabel("Save them as a quiz file, then tick \"Use Qiz-File\" and load it to play them again.", this);
    hint->setWordWrap(true);

    m_pList = new QTableWidget(static_cast<int>(m_tests.size()), kColumns, this);
    m_pList->setHorizontalHeaderLabels({QString(), "Round", "Question", "Right answer"});
    m_pList->verticalHeader()->hide();
    m_pList->setShowGrid(false);
    m_pList->setAlternatingRowColors(true);
    m_pList->setFocusPolicy(Qt::NoFocus);
    m_pList->setSelectionMode(QAbstractItemView::NoSelection);
    m_pList->setWordWrap(true);
    m_pList->setIconSize(kThumbnail);
    m_pList->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pList->horizontalHeader()->setSectionResizeMode(kPicture, QHeaderView::Fixed);
    m_pList->horizontalHeader()->setSectionResizeMode(kRound, QHeaderView::ResizeToContents);
    m_pList->horizontalHeader()->setSectionResizeMode(kQuestion, QHeaderView::Stretch);
    m_pList->horizontalHeader()->setSectionResizeMode(kAnswer, QHeaderView::Stretch);
    m_pList->setColumnWidth(kPicture, kThumbnail.width() + 8);
    FillList();

    m_pStatus = new QLabel(this);
    m_pSave = new QPushButton("Save as Quiz File...", this);
    m_pClose = new QPushButton("Close", this);
    m_pSave->setCursor(Qt::PointingHandCursor);
    m_pClose->setCursor(Qt::PointingHandCursor);
    connect(m_pSave, &QPushButton::clicked, this, [this] { OnSave(); });
    connect(m_pClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pStatus, 1);
    buttons->addWidget(m_pSave);
    buttons->addWidget(m_pClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addWidget(heading);
    layout->addWidget(hint);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);
}

void CReviewDlg::FillList()
{
    for (int row = 0; row < static_cast<int>(m_tests.size()); ++row) {
        const MissedTest& test = m_tests[static_cast<size_t>(row)];
        auto* picture = ReadOnlyItem(QString());
        QPixmap thumbnail;
        if (!test.picture.empty() &&
            thumbnail.loadFromData(test.picture.data(), static_cast<uint>(test.picture.size())))
            picture->setIcon(thumbnail.scaled(kThumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        m_pList->setItem(row, kPicture, picture);
        m_pList->setItem(row, kRound, ReadOnlyItem(Text(test.category)));
        m_pList->setItem(row, kQuestion, ReadOnlyItem(Text(test.question)));
        auto* answer = ReadOnlyItem(Text(test.answer));
        answer->setForeground(QColor(255, 215, 0));
        m_pList->setItem(row, kAnswer, answer);
    }
    m_pList->resizeRowsToContents();
    // Every row leaves room for a thumbnail, so that the rows line up alike.
    for (int row = 0; row < m_pList->rowCount(); ++row)
        m_pList->setRowHeight(row, std::max(m_pList->rowHeight(row), kThumbnail.height() + 6));
}

void CReviewDlg::OnSave()
{
    const std::optional<std::string> path = Prompts().SaveQuizFile(this);
    if (!path) return;
    const QString shown = QString::fromStdString(*path);
    const std::string document = MissedTestsDocument(m_tests, kQuizTitle);
    std::string error = "the quiz document could not be built";
    if (document.empty() || !WriteSealedQuizFile(*path, document, error)) {
        m_pStatus->clear();
        Prompts().MessageBox(this,
                             WideToAnsi(u"The missed questions could not be saved to " + shown.toStdU16String() +
                                        u"\n\n" + QString::fromStdString(error).toStdU16String()),
                             IPrompts::Icon::Error);
        return;
    }
    m_pStatus->setText("Saved to " + QFileInfo(shown).fileName());
}
