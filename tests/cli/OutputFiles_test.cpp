// Output files of one command are replaced together or not at all, and nothing is left beside them.
#include "CliError.h"
#include "OutputFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

using zelmar_cli::CliError;
using zelmar_cli::OutputFiles;

namespace {

class Folder
{
public:
    Folder()
    {
        std::string pattern = testing::TempDir() + "output-files-XXXXXX";
        path = mkdtemp(pattern.data());
    }
    ~Folder() { std::filesystem::remove_all(path); }

    std::string operator/(const std::string& name) const { return path + "/" + name; }

    std::set<std::string> names() const
    {
        std::set<std::string> found;
        DIR* directory = opendir(path.c_str());
        while (const dirent* entry = readdir(directory)) {
            if (entry->d_name[0] != '.' || std::string(entry->d_name).size() > 2) {
                found.insert(entry->d_name);
            }
        }
        closedir(directory);
        return found;
    }

    std::string path;
};

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

std::string contentOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return file ? content.str() : "(none)";
}

} // namespace

TEST(OutputFiles, BothOrNeither)
{
    struct Row
    {
        const char* what;
        bool firstExists;
        // Runs after both are written, before the commit: makes the second rename fail when it says so.
        std::function<bool(const Folder&)> breakSecond;
        std::string firstAfter;
        std::set<std::string> namesAfter;
    };
    const auto turnIntoFolder = [](const Folder& folder) {
        mkdir((folder / "second").c_str(), 0755);
        writeFile(folder / "second/keep", "x");
        return true;
    };
    const Row rows[] = {
        {"both replaced", true, [](const Folder&) { return false; }, "new first", {"first", "second"}},
        {"second fails, first put back", true, turnIntoFolder, "old first", {"first", "second"}},
        {"second fails, new first removed", false, turnIntoFolder, "(none)", {"second"}},
    };
    for (const Row& row : rows) {
        Folder folder;
        if (row.firstExists) {
            writeFile(folder / "first", "old first");
        }
        {
            OutputFiles outputs({folder / "first", folder / "second"});
            outputs.write(0, "new first");
            outputs.write(1, "new second");
            const bool fails = row.breakSecond(folder);
            if (fails) {
                EXPECT_THROW(outputs.commit(), CliError) << row.what;
            } else {
                outputs.commit();
                EXPECT_EQ(contentOf(folder / "second"), "new second") << row.what;
            }
        }
        EXPECT_EQ(contentOf(folder / "first"), row.firstAfter) << row.what;
        EXPECT_EQ(folder.names(), row.namesAfter) << row.what;
    }
}

TEST(OutputFiles, ReplacementsKeepWhatTheUserSetUp)
{
    Folder folder;
    writeFile(folder / "private", "old");
    chmod((folder / "private").c_str(), 0640);
    writeFile(folder / "real", "old");
    symlink("real", (folder / "link").c_str());
    {
        OutputFiles uncommitted({folder / "private"});
        uncommitted.write(0, "never");
    }
    EXPECT_EQ(contentOf(folder / "private"), "old");

    OutputFiles outputs({folder / "private", folder / "link"});
    outputs.write(0, "new");
    outputs.write(1, "through the link");
    outputs.commit();
    struct stat status
    {
    };
    lstat((folder / "private").c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0640U);
    lstat((folder / "link").c_str(), &status);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_EQ(contentOf(folder / "real"), "through the link");
    EXPECT_EQ(folder.names(), (std::set<std::string>{"link", "private", "real"}));
}
