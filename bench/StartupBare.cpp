// bench_startup_bare: the yardstick for the game's start-up: a bare Qt dialog
// with a 520 x 500 JPEG picture and a list of four lines, ending right after
// its first paint, as bench_startup_game does.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>

#include <cstdlib>

namespace {

// Ends `dialog` right after its first paint.
class CPaintWatch final : public QObject {
public:
    explicit CPaintWatch(QDialog& dialog) : m_dialog(dialog) {}
    bool Seen() const { return m_bSeen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_bSeen || watched != &m_dialog || event->type() != QEvent::Paint) return false;
        m_bSeen = true;
        QMetaObject::invokeMethod(&m_dialog, [this] { m_dialog.done(0); }, Qt::QueuedConnection);
        return false;
    }

private:
    QDialog& m_dialog;
    bool m_bSeen = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.resize(520, 500);
    QLabel picture(&dialog);
    picture.setPixmap(QPixmap(QStringLiteral(BRAINWHEEL_BARE_PICTURE)));
    picture.setGeometry(0, 0, 520, 500);
    QListWidget list(&dialog);
    list.addItems({QStringLiteral("Beginner Stage 1"), QStringLiteral("Beginner Stage 2"),
                   QStringLiteral("Beginner Stage 3"), QStringLiteral("Revision 1")});
    list.setGeometry(210, 340, 142, 148);

    CPaintWatch watch(dialog);
    application.installEventFilter(&watch);
    dialog.exec();
    return watch.Seen() && !picture.pixmap().isNull() ? EXIT_SUCCESS : EXIT_FAILURE;
}
