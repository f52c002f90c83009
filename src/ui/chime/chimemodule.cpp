// The player of the turn chime, built as a module of its own: the program
// loads it, and with it Qt Multimedia and the sound system's libraries, only
// when the chime first plays, so that none of them slows the start.

#include <QEventLoop>
#include <QObject>
#include <QSoundEffect>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>

namespace {

// Qt Multimedia decodes a sample on a loader thread of its own, which goes on
// after the player that asked for it is gone. At exit Qt stops that thread
// while holding the lock the decoder takes when it finishes, so a program
// that ends while the sample is still decoding hangs or crashes. The player
// therefore waits for the loading to end before it goes; the chime is short,
// so this only costs a program that quits right as the chime first sounds.
class Chime : public QSoundEffect
{
public:
    using QSoundEffect::QSoundEffect;

    ~Chime() override
    {
        if (status() != QSoundEffect::Loading)
            return;
        QEventLoop loop;
        connect(this, &QSoundEffect::statusChanged, &loop, &QEventLoop::quit);
        // A sample that never finishes loading must not keep the program.
        QTimer::singleShot(std::chrono::seconds(5), &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
};

} // namespace

extern "C" Q_DECL_EXPORT QObject* tarvenixCreateChime(QObject* parent, const QString& source,
                                                      float volume)
{
    auto* effect = new Chime(parent);
    effect->setSource(QUrl(source));
    effect->setVolume(volume);
    return effect;
}
