// Writes sample-site.xml and large-site.xml (3,048 named devices) into the folder given on the command
// line, exactly as the configurator saves them.
#include <config_zelmar/ConfigurationDocument.h>
#include <sample_sites/SampleSites.h>

#include <QDir>
#include <QSaveFile>

#include <cstdio>

namespace {

bool save(const QDir& folder, const char* name, const config_zelmar::Configuration& configuration)
{
    QSaveFile file(folder.filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::WriteOnly) ||
        !config_zelmar::ConfigurationDocument::write(file, configuration) || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelmar-sample-files OUTDIR\n");
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool saved = save(folder, "sample-site.xml", sample_sites::sampleSite()) &&
                       save(folder, "large-site.xml", sample_sites::largeSite());
    return saved ? 0 : 2;
}
