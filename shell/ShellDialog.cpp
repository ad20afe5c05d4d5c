#include "ShellDialog.h"

#include "PictureButton.h"
#include "ShellResources.h"
#include "ShellSettings.h"
#include "com/AsciiText.h"
#include "ole/DialogTemplate.h"
#include "ole/SkinRegion.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QtDebug>

#include <charconv>

namespace {

// The bitmap a picture control names by number in its text.
QPixmap BitmapNamed(const std::string& text)
{
    int id = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (ec != std::errc() || end != text.data() + text.size()) return {};
    return ShellBitmap(id);
}

}  // namespace

CShellDialog::CShellDialog(int templateId, Kind kind, QWidget* parent) : QDialog(parent), m_templateId(templateId), m_kind(kind)
{
    if (kind == Kind::Child) {
        setWindowFlags(Qt::Widget);
        // Placed at its parent's top-left corner; left unplaced, a dialog
        // centres itself on the screen when first shown.
        move(0, 0);
    }
    CDialogTemplate dialog;
    std::string error;
    const std::string_view text = ShellResource(templateId, "DIALOG");
    if (text.empty()) {
        Warn("the program has no such template");
        return;
    }
    if (!CDialogTemplate::Parse(text, dialog, error)) {
        Warn(error);
        return;
    }
    const DialogPixels size = CDialogTemplate::ToPixels(0, 0, dialog.Width(), dialog.Height());
    if (kind == Kind::TopLevel) setFixedSize(size.cx, size.cy);
    else resize(size.cx, size.cy);
    if (!dialog.Caption().empty()) setWindowTitle(QString::fromStdString(dialog.Caption()));
    if (dialog.FontPoints() > 0) {
        // The templates name the desktop's dialog font; Liberation Sans has
        // its metrics here, so the texts fit their places as laid out.
        static const bool substituted = [] {
            QFont::insertSubstitution("MS Shell Dlg", "Liberation Sans");
            return true;
        }();
        (void)substituted;
        setFont(QFont(QString::fromStdString(dialog.FontName()), dialog.FontPoints()));
    }
    for (const DialogItem& item : dialog.Items()) CreateItem(item);
}

CShellDialog::~CShellDialog()
{
    // Hosted controls go first, while the widgets they live in still exist.
    for (Item& item : m_items)
        if (item.host) item.host->Close();
}

void CShellDialog::CreateItem(const DialogItem& item)
{
    const DialogPixels pixels = CDialogTemplate::ToPixels(item.x, item.y, item.cx, item.cy);
    const QRect rect(pixels.x, pixels.y, pixels.cx, pixels.cy);
    if (item.className.empty()) {
        auto host = std::make_unique<CControlHost>();
        std::vector<std::string> faults;
        const HRESULT hr = host->CreateFromItem(item, this, rect, nullptr, faults);
        for (const std::string& fault : faults) Warn(fault);
        if (FAILED(hr)) {
            Warn(DescribeCreateFailure(item, hr));
            m_items.push_back({item.id, nullptr, hr, nullptr});
            return;
        }
        QWidget* window = host->Window();
        m_items.push_back({item.id, window, S_OK, std::move(host)});
        return;
    }

    const int id = item.id;
    QWidget* window = nullptr;
    if (SameAsciiText(item.className, "BITMAP")) {
        // Pictures take the size of their bitmap, as real-size images do.
        const QPixmap bitmap = BitmapNamed(item.text);
        if (bitmap.isNull()) Warn("line " + std::to_string(item.line) + ": no bitmap " + item.text);
        if (item.notify) {
            auto* button = new CPictureButton(bitmap, this);
            button->SetOnClick([this, id] { OnCommand(id); });
            window = button;
        } else {
            auto* picture = new QLabel(this);
            picture->setPixmap(bitmap);
            window = picture;
        }
        window->move(rect.topLeft());
        window->resize(bitmap.isNull() ? rect.size() : bitmap.size());
    } else {
        if (SameAsciiText(item.className, "STATIC")) {
            window = new QLabel(QString::fromStdString(item.text), this);
        } else if (SameAsciiText(item.className, "LISTBOX")) {
            auto* list = new QListWidget(this);
            QObject::connect(list, &QListWidget::itemSelectionChanged, this, [this, id] { OnSelChange(id); });
            window = list;
        } else if (SameAsciiText(item.className, "CHECKBOX")) {
            auto* check = new QCheckBox(this);
            QObject::connect(check, &QCheckBox::clicked, this, [this, id] { OnCommand(id); });
            window = check;
        } else if (SameAsciiText(item.className, "BUTTON")) {
            auto* button = new QPushButton(QString::fromStdString(item.text), this);
            QObject::connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
            window = button;
        } else if (SameAsciiText(item.className, "FRAME")) {
            window = new QWidget(this);
        } else {
            Warn("line " + std::to_string(item.line) + ": no window class " + item.className);
            return;
        }
        window->setGeometry(rect);
    }
    window->setVisible(item.visible);
    m_items.push_back({id, window, S_OK, nullptr});
}

QWidget* CShellDialog::GetDlgItem(int id) const
{
    for (const Item& item : m_items)
        if (item.id == id) return item.window;
    return nullptr;
}

HRESULT CShellDialog::HostResult(int id) const
{
    for (const Item& item : m_items)
        if (item.id == id) return item.hr;
    return E_FAIL;
}

IUnknown* CShellDialog::HostedControl(int id) const
{
    for (const Item& item : m_items)
        if (item.id == id && item.host) return item.host->Control();
    return nullptr;
}

void CShellDialog::ShowItem(int id, bool show)
{
    if (QWidget* window = GetDlgItem(id)) window->setVisible(show);
}

void CShellDialog::UseBlackBackground()
{
    QPalette black = palette();
    black.setBrush(QPalette::Window, g_brushBlack);
    setPalette(black);
    setAutoFillBackground(true);
}

void CShellDialog::paintEvent(QPaintEvent* event)
{
    if (!m_pBackground) {
        QDialog::paintEvent(event);
        return;
    }
    // Composed once in an image of the window's own format, the picture on
    // black wherever it does not reach, and copied in one go at each paint.
    if (m_composed.size() != size() || m_pComposedFrom.get() != m_pBackground.get()) {
        m_composed = QImage(size(), QImage::Format_RGB32);
        m_composed.fill(Qt::black);
        QPainter painter(&m_composed);
        PaintPicture(painter, m_pBackground, QRect(QPoint(0, 0), PictureSize(m_pBackground)));
        m_pComposedFrom = m_pBackground;
    }
    QPainter(this).drawImage(0, 0, m_composed);
}

void CShellDialog::keyPressEvent(QKeyEvent* event)
{
    if (m_kind == Kind::Child && event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CShellDialog::Warn(const std::string& what) const
{
    qWarning("thebrainwheel DIALOG %d: %s", m_templateId, what.c_str());
}
