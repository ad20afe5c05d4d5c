#include "Gallery.h"

#include <QSaveFile>

namespace {

// Small pictures are shown enlarged in the index: the narrow ones three
// times, the flat ones (the countdown bar) twice.
constexpr int kNarrow = 200;
constexpr int kFlat = 16;

} // namespace

CGallery::CGallery(std::filesystem::path folder) : m_folder(std::move(folder)) {}

void CGallery::Section(const QString& title, const QString& note) { m_groups.push_back({title, note, {}}); }

bool CGallery::Add(const QString& name, const QImage& image, const QString& caption)
{
    if (m_groups.empty()) Section(QStringLiteral("Pictures"));
    const QString file = name + QStringLiteral(".png");
    const std::filesystem::path path = m_folder / file.toStdString();
    if (image.isNull() || !image.save(QString::fromStdString(path.string()), "PNG")) return false;
    m_groups.back().pictures.push_back({file, caption, image.width(), image.height()});
    return true;
}

int CGallery::Count() const
{
    int count = 0;
    for (const Group& group : m_groups) count += static_cast<int>(group.pictures.size());
    return count;
}

bool CGallery::WriteIndex() const
{
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>The Brainwheel: artwork and screens</title>\n"
        "<style>body{font-family:sans-serif;background:#2b2b30;color:#eee;margin:2em}"
        "figure{display:inline-block;margin:0 1em 1em 0;vertical-align:top}"
        "figcaption{font-size:small;color:#bbb}img{image-rendering:pixelated;border:1px solid #555}"
        "h2{border-bottom:1px solid #555}</style></head><body>\n"
        "<h1>The Brainwheel: artwork and screens</h1>\n");
    for (const Group& group : m_groups) {
        html += QStringLiteral("<h2>%1</h2>\n").arg(group.title.toHtmlEscaped());
        if (!group.note.isEmpty()) html += QStringLiteral("<p>%1</p>\n").arg(group.note.toHtmlEscaped());
        for (const Picture& picture : group.pictures) {
            const int scale = picture.width < kNarrow ? 3 : picture.height < kFlat ? 2 : 1;
            html += QStringLiteral("<figure><img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"%4\">"
                                   "<figcaption>%4</figcaption></figure>\n")
                        .arg(picture.file)
                        .arg(picture.width * scale)
                        .arg(picture.height * scale)
                        .arg(picture.caption.toHtmlEscaped());
        }
    }
    html += QStringLiteral("</body></html>\n");

    QSaveFile file(QString::fromStdString((m_folder / "index.html").string()));
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(html.toUtf8());
    return file.commit();
}
