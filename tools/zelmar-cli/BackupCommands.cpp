// The subcommands of the panel backups: backups (list, export, delete) and restore.
#include "ArgumentParser.h"
#include "CliError.h"
#include "Commands.h"
#include "ExitStatus.h"
#include "FileAccess.h"
#include "HelpTexts.h"
#include "PortOpening.h"
#include "StopSignals.h"
#include "StoreOption.h"
#include "TerminalProgress.h"

#include "config_zelmar/ConfigZelmar.h"
#include "config_zelmar/Configuration.h"
#include "config_zelmar/ImageStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <ctime>

namespace zelmar_cli {

namespace {

using Option = ArgumentParser::Option;
using Presence = ArgumentParser::Presence;
using Value = ArgumentParser::Value;

// ISO 8601 in local time with the offset from UTC, for example 2025-03-01T14:25:30+03:00.
std::string isoTime(int64_t milliseconds)
{
    const auto seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm local{};
    char text[40] = "";
    if (localtime_r(&seconds, &local) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local) == 0) {
        return {};
    }
    std::string iso(text);
    iso.insert(iso.size() - 2, ":"); // +0300 -> +03:00
    return iso;
}

std::shared_ptr<config_zelmar::ImageStore> requiredStore(const ArgumentParser& parser)
{
    std::shared_ptr<config_zelmar::ImageStore> store = imageStoreOf(parser);
    if (!store) {
        throw CliError(UsageError, "no data folder: HOME is not set (give --data-dir)");
    }
    return store;
}

config_zelmar::PanelBackup backupNamed(const config_zelmar::ImageStore& store, const std::string& id)
{
    std::optional<config_zelmar::PanelBackup> backup = store.backup(id);
    if (!backup) {
        throw CliError(FileError, "no backup " + id + " in " + store.folder());
    }
    return std::move(*backup);
}

QByteArray backupsAsJson(const std::vector<config_zelmar::PanelBackup>& backups)
{
    QJsonArray array;
    for (const config_zelmar::PanelBackup& backup : backups) {
        QJsonObject object;
        object["id"] = QString::fromStdString(backup.id);
        object["time"] = QString::fromStdString(isoTime(backup.time));
        object["panelDate"] = QString::fromStdString(backup.panelDate);
        object["counter"] = backup.counter;
        object["firmware"] = QString::fromStdString(backup.firmware);
        object["summary"] = QString::fromStdString(backup.summary);
        array.append(object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QByteArray backupsAsLines(const std::vector<config_zelmar::PanelBackup>& backups)
{
    QByteArray lines;
    for (const config_zelmar::PanelBackup& backup : backups) {
        const std::string line = backup.id + "\t" + isoTime(backup.time) + "\t" + backup.panelDate + "\t" +
                                 std::to_string(backup.counter) + "\t" + backup.firmware + "\t" +
                                 backup.summary + "\n";
        lines.append(line.c_str());
    }
    return lines;
}

int listBackups(const ArgumentParser& parser)
{
    const std::vector<config_zelmar::PanelBackup> backups = requiredStore(parser)->backups();
    FileAccess::writeStandardOutput(parser.has("--json") ? backupsAsJson(backups) : backupsAsLines(backups));
    return Success;
}

int exportBackup(const ArgumentParser& parser, const std::string& id)
{
    const config_zelmar::PanelBackup backup = backupNamed(*requiredStore(parser), id);
    config_zelmar::Configuration configuration;
    config_zelmar::decodeImages(backup.images, configuration);
    FileAccess::writeResult(parser.value("--output"), FileAccess::configurationDocument(configuration));
    return Success;
}

int deleteBackup(const ArgumentParser& parser, const std::string& id)
{
    std::shared_ptr<config_zelmar::ImageStore> store = requiredStore(parser);
    backupNamed(*store, id);
    if (!store->removeBackup(id)) {
        throw CliError(FileError, "backup " + id + " cannot be deleted from " + store->folder());
    }
    return Success;
}

} // namespace

int runBackups(const Arguments& arguments)
{
    ArgumentParser parser("backups",
                          {{"--json", "", false, false},
                           {"--output", "-o", true, false, Presence::optional, Value::outputFile},
                           dataDirOption},
                          0, 2);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("backups");
    }
    const std::vector<std::string>& words = parser.positionals();
    if (words.empty()) {
        if (parser.has("--output")) {
            throw CliError(UsageError,
                           "backups: -o belongs to backups export (see zelmar-cli backups --help)");
        }
        return listBackups(parser);
    }
    if (words.size() == 2 && words[0] == "export") {
        return exportBackup(parser, words[1]);
    }
    if (words.size() == 2 && words[0] == "delete" && !parser.has("--output")) {
        return deleteBackup(parser, words[1]);
    }
    throw CliError(UsageError,
                   "backups: expected nothing, export ID or delete ID (see zelmar-cli backups --help)");
}

int runRestore(const Arguments& arguments)
{
    ArgumentParser parser("restore",
                          {{"--port", "", true, false, Presence::required},
                           {"--fast", "", false, false},
                           {"--no-verify", "", false, false},
                           dataDirOption},
                          1, 1);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("restore");
    }
    const std::string port = parser.required("--port");
    std::shared_ptr<config_zelmar::ImageStore> store = requiredStore(parser);
    const config_zelmar::PanelBackup backup = backupNamed(*store, parser.positionals().front());
    config_zelmar::ConfigZelmar transfer;
    transfer.setRaisedSpeed(parser.has("--fast"));
    transfer.setImageStore(store);
    config_zelmar::WriteOptions options;
    options.verify = !parser.has("--no-verify");
    transfer.setWriteOptions(options);
    StopSignals::install();
    OpenPort opened(transfer, port);
    TerminalProgress progress;
    transfer.restoreImages(backup.images, progress.handler());
    return Success;
}

} // namespace zelmar_cli
