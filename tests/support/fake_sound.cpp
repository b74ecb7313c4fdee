#include "fake_sound.h"

#include "platform/path_resolver.h"

#include <QFileInfo>

bool FakeSound::playWave(const QString& path)
{
    waves_.append(path);
    return !path.isEmpty() && QFileInfo(platform::resolvePath(path)).isFile();
}
