#include "ArgumentParser.h"

#include "CliError.h"
#include "ExitStatus.h"
#include "FileAccess.h"
#include "SystemPaths.h"

namespace zelmar_cli {

ArgumentParser::ArgumentParser(std::string command, std::vector<Option> options, std::size_t minPositionals,
                               std::size_t maxPositionals)
    : commandName(std::move(command)), known(std::move(options)), minimum(minPositionals),
      maximum(maxPositionals)
{}

void ArgumentParser::parse(const std::vector<std::string>& arguments)
{
    bool optionsEnded = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            positional.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            help = true;
        } else {
            const std::size_t equals = argument.find('=');
            const std::string name = argument.substr(0, equals);
            const Option* option = find(name);
            if (option == nullptr) {
                fail("unknown option " + name);
            }
            const std::string inlineValue =
                equals == std::string::npos ? std::string() : argument.substr(equals + 1);
            takeOption(*option, arguments, index, equals == std::string::npos ? nullptr : &inlineValue);
        }
    }
    if (!help) {
        checkPositionalCount();
        checkRequiredOptions();
        checkDistinctOutputs();
    }
}

const ArgumentParser::Option* ArgumentParser::find(const std::string& argument) const
{
    for (const Option& option : known) {
        if (argument == option.name || (!option.alias.empty() && argument == option.alias)) {
            return &option;
        }
    }
    return nullptr;
}

void ArgumentParser::takeOption(const Option& option, const std::vector<std::string>& arguments,
                                std::size_t& index, const std::string* inlineValue)
{
    if (!option.repeatable && has(option.name)) {
        fail("option " + option.name + " given more than once");
    }
    if (!option.takesValue) {
        if (inlineValue != nullptr) {
            fail("option " + option.name + " takes no value");
        }
        values[option.name].emplace_back();
        return;
    }
    if (inlineValue != nullptr) {
        values[option.name].push_back(*inlineValue);
        return;
    }
    if (index + 1 >= arguments.size()) {
        fail("option " + option.name + " needs a value");
    }
    values[option.name].push_back(arguments[++index]);
}

void ArgumentParser::checkPositionalCount() const
{
    if (positional.size() < minimum) {
        fail(minimum == 1 ? "missing FILE argument" : "missing arguments");
    }
    if (positional.size() > maximum) {
        fail("unexpected argument " + positional[maximum]);
    }
}

void ArgumentParser::checkRequiredOptions() const
{
    for (const Option& option : known) {
        if (option.presence == Presence::required && !has(option.name)) {
            fail("missing option " + option.name);
        }
    }
}

void ArgumentParser::checkDistinctOutputs() const
{
    std::vector<std::pair<std::string, std::string>> earlier; // option, path
    for (const Option& option : known) {
        if (option.value != Value::outputFile) {
            continue;
        }
        for (const std::string& path : all(option.name)) {
            if (FileAccess::isStandardOutput(path)) {
                continue;
            }
            for (const auto& [earlierOption, earlierPath] : earlier) {
                if (SystemPaths::sameFile(earlierPath, path)) {
                    fail(earlierOption + " and " + option.name + " name the same file " + path);
                }
            }
            earlier.emplace_back(option.name, path);
        }
    }
}

std::string ArgumentParser::value(const std::string& name, const std::string& fallback) const
{
    const auto found = values.find(name);
    return found == values.end() ? fallback : found->second.back();
}

std::vector<std::string> ArgumentParser::all(const std::string& name) const
{
    const auto found = values.find(name);
    return found == values.end() ? std::vector<std::string>{} : found->second;
}

std::string ArgumentParser::required(const std::string& name) const
{
    if (!has(name)) {
        fail("missing option " + name);
    }
    return value(name);
}

void ArgumentParser::fail(const std::string& message) const
{
    throw CliError(UsageError, commandName + ": " + message + " (see zelmar-cli " + commandName + " --help)");
}

} // namespace zelmar_cli
