// The player of the turn chime, built as a module of its own: the program
// loads it, and with it Qt Multimedia and the sound system's libraries, only
// when the chime first plays, so that none of them slows the start.

#include <QObject>
#include <QSoundEffect>
#include <QString>
#include <QUrl>

extern "C" Q_DECL_EXPORT QObject* tarvenixCreateChime(QObject* parent, const QString& source,
                                                      float volume)
{
    auto* effect = new QSoundEffect(parent);
    effect->setSource(QUrl(source));
    effect->setVolume(volume);
    return effect;
}
