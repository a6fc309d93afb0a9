// Every application test runs with settings of its own that start empty, never with the user's: the
// settings folder is pointed at a scratch folder before anything reads it.
#include <QByteArray>
#include <QTemporaryDir>

namespace {

struct ScratchSettings
{
    QTemporaryDir folder;

    ScratchSettings() { qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit()); }
};

const ScratchSettings scratchSettings;

} // namespace
