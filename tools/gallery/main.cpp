// gallery OUTDIR: renders every picture of the console library, every frame
// of its clips, every state of its gauges and every screen of the game
// program into PNG files in OUTDIR, with an index.html that shows them all,
// so that the artwork can be reviewed at a glance. It loads Playdeck.so and
// Wordcrate.so from its own folder, registered into a registry of its own,
// and runs offscreen.
#include "ConsoleStates.h"
#include "Gallery.h"
#include "GaugeStates.h"
#include "PlaydeckGauges.h"
#include "ShellScreens.h"
#include "SteppedTimers.h"

#include "ui/AnimateCtrl.h"
#include "ui/PlaySound.h"

#include <QApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

// The gallery makes pictures, not noise.
class CSilence final : public ISoundOutput {
public:
    bool Play(const std::vector<BYTE>&) override { return true; }
};

struct PictureResource {
    const char* type;
    int id;
    const char* caption;
};

constexpr PictureResource kPictures[] = {
    {"SKIN", 246, "console background"},
    {"BUTTONS", 233, "50:50, under the mouse"},
    {"BUTTONS", 234, "50:50, lit"},
    {"BUTTONS", 235, "Answer, lit"},
    {"BUTTONS", 236, "Answer, under the mouse"},
    {"IMAGES", 247, "correct"},
    {"IMAGES", 248, "wrong"},
    {"IMAGES", 249, "time out"},
    {"IMAGES", 250, "game over"},
};

struct ClipResource {
    int id;
    const char* name;
};

constexpr ClipResource kClips[] = {{233, "countdown bar"}, {243, "lives row"}, {245, "progress ladder"}};

bool AddPictures(CGallery& gallery, HMODULE module)
{
    gallery.Section(QStringLiteral("Pictures"));
    bool written = true;
    for (const PictureResource& picture : kPictures) {
        const HRSRC resource = FindResourceA(module, picture.id, picture.type);
        const auto* bytes = static_cast<const uchar*>(LockResource(resource));
        const QImage image =
            bytes ? QImage::fromData(bytes, static_cast<int>(SizeofResource(module, resource))) : QImage();
        const QString name = QStringLiteral("%1-%2").arg(QString::fromLatin1(picture.type).toLower()).arg(picture.id);
        const bool added = gallery.Add(name, image,
                                       QStringLiteral("%1 %2: %3 (%4 x %5)")
                                           .arg(QString::fromLatin1(picture.type))
                                           .arg(picture.id)
                                           .arg(QString::fromLatin1(picture.caption))
                                           .arg(image.width())
                                           .arg(image.height()));
        if (!added) std::fprintf(stderr, "gallery: %s %d cannot be shown\n", picture.type, picture.id);
        written &= added;
    }
    return written;
}

bool AddClips(CGallery& gallery, HMODULE module)
{
    bool written = true;
    for (const ClipResource& clip : kClips) {
        const HRSRC resource = FindResourceA(module, clip.id, "AVI");
        const auto* bytes = static_cast<const unsigned char*>(LockResource(resource));
        AviClip decoded;
        if (!bytes || !ParseAviClip(bytes, SizeofResource(module, resource), decoded)) {
            std::fprintf(stderr, "gallery: AVI %d cannot be read\n", clip.id);
            written = false;
            continue;
        }
        const double rate = decoded.microsecondsPerFrame > 0 ? 1e6 / decoded.microsecondsPerFrame : 0;
        gallery.Section(QStringLiteral("AVI %1: %2").arg(clip.id).arg(QString::fromLatin1(clip.name)),
                        QStringLiteral("%1 x %2 pixels, %3 frames, %4 frames per second")
                            .arg(decoded.width)
                            .arg(decoded.height)
                            .arg(decoded.frames.size())
                            .arg(rate));
        for (std::size_t f = 0; f < decoded.frames.size(); ++f)
            written &= gallery.Add(QStringLiteral("avi-%1-frame-%2").arg(clip.id).arg(f, 2, 10, QLatin1Char('0')),
                                   decoded.frames[f], QStringLiteral("frame %1").arg(f));
    }
    return written;
}

std::filesystem::path OwnFolder()
{
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gallery OUTDIR\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // A registry of the gallery's own: the console makes its children and
    // the game program finds its console and books through one, and the
    // user's must not change.
    const std::filesystem::path registry =
        std::filesystem::temp_directory_path() / ("brainwheel-gallery-" + std::to_string(getpid()) + ".reg");
    setenv("BRAINWHEEL_REGISTRY", registry.c_str(), 1);
    QApplication application(argc, argv);

    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "gallery: cannot make %s: %s\n", folder.c_str(), error.message().c_str());
        return 1;
    }

    CSilence silence;
    SetSoundOutput(&silence);
    // Declared before the library, so that no timer outlives its source.
    CSteppedTimers timers;
    CPlaydeckGauges gauges(OwnFolder());
    if (!gauges.Loaded()) {
        std::fprintf(stderr, "gallery: %s\n", gauges.Error().c_str());
        return 1;
    }

    CGallery gallery(folder);
    bool complete = AddPictures(gallery, gauges.Module());
    complete &= AddClips(gallery, gauges.Module());
    complete &= AddGaugeStates(gallery, gauges, timers);
    complete &= SUCCEEDED(gauges.Register()) && AddConsoleStates(gallery, gauges, timers);
    complete &= AddShellScreens(gallery, timers, OwnFolder());
    std::filesystem::remove(registry, error);
    if (!gallery.WriteIndex()) {
        std::fprintf(stderr, "gallery: cannot write %s/index.html\n", folder.c_str());
        return 1;
    }
    SetSoundOutput(nullptr);
    std::printf("gallery: %d pictures and index.html in %s\n", gallery.Count(), folder.c_str());
    return complete ? 0 : 1;
}
