#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace zelmar_cli {

// Options of one subcommand: "--name VALUE", "--name=VALUE", flags "--name", short aliases ("-o"), and
// positional arguments; "--" ends the options. Every mistake is a CliError with the usage exit status,
// found by parse() before the command touches any file: a missing required option, or two output options
// naming one file.
class ArgumentParser
{
public:
    enum class Presence
    {
        optional,
        required
    };
    enum class Value
    {
        any,
        outputFile // names a file the command writes ("-" for standard output where the command allows)
    };

    struct Option
    {
        std::string name;  // "--port"
        std::string alias; // "-o", or empty
        bool takesValue = false;
        bool repeatable = false;
        Presence presence = Presence::optional;
        Value value = Value::any;
    };

    ArgumentParser(std::string command, std::vector<Option> options, std::size_t minPositionals,
                   std::size_t maxPositionals);

    // "--help" and "-h" are always accepted and set helpWanted().
    void parse(const std::vector<std::string>& arguments);

    bool helpWanted() const { return help; }
    bool has(const std::string& name) const { return values.count(name) != 0; }
    // The last value given, or the fallback.
    std::string value(const std::string& name, const std::string& fallback = {}) const;
    std::vector<std::string> all(const std::string& name) const;
    const std::vector<std::string>& positionals() const { return positional; }

    // Throws the usage error when the option is missing (parse() already did for a required option).
    std::string required(const std::string& name) const;

private:
    const Option* find(const std::string& argument) const;
    void takeOption(const Option& option, const std::vector<std::string>& arguments, std::size_t& index,
                    const std::string* inlineValue);
    void checkPositionalCount() const;
    void checkRequiredOptions() const;
    void checkDistinctOutputs() const;
    [[noreturn]] void fail(const std::string& message) const;

    std::string commandName;
    std::vector<Option> known;
    std::size_t minimum;
    std::size_t maximum;
    bool help = false;
    std::map<std::string, std::vector<std::string>> values;
    std::vector<std::string> positional;
};

} // namespace zelmar_cli
