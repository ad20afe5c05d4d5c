#pragma once
// CGallery: pictures written as PNG files into one folder, grouped into
// sections, and an index.html that shows them all, section by section, each
// with its caption. Small pictures are shown enlarged (without smoothing) so
// that a segment or a figure can be judged at a glance.
#include <QImage>
#include <QString>

#include <filesystem>
#include <vector>

class CGallery {
public:
    explicit CGallery(std::filesystem::path folder);

    // Starts a new section; the pictures added next belong to it.
    void Section(const QString& title, const QString& note = {});
    // Writes `image` as <name>.png; false when it could not be written.
    bool Add(const QString& name, const QImage& image, const QString& caption);
    // Writes index.html; false when it could not be written.
    bool WriteIndex() const;

    int Count() const;

private:
    struct Picture {
        QString file;
        QString caption;
        int width;
        int height;
    };
    struct Group {
        QString title;
        QString note;
        std::vector<Picture> pictures;
    };

    std::filesystem::path m_folder;
    std::vector<Group> m_groups;
};
