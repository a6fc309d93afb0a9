#include "ProblemPrinter.h"

#include "config_zelmar/Value.h"

namespace zelmar_cli {

using config_zelmar::Problem;

namespace {

std::string countsJson(const config_zelmar::ConfigurationCounts& counts)
{
    auto number = [](std::size_t n) { return config_zelmar::Value::of(static_cast<int64_t>(n)); };
    return config_zelmar::Value::object()
        .with("console", config_zelmar::Value::of(std::string(counts.central ? "central" : "section")))
        .with("sections", number(counts.sections))
        .with("devices", number(counts.devices))
        .with("namedDevices", number(counts.namedDevices))
        .with("eventTables", number(counts.eventTables))
        .with("commands", number(counts.commands))
        .toJson();
}

std::string problemJson(const Problem& problem)
{
    using config_zelmar::jsonString;
    return std::string("{\"severity\": ") + jsonString(config_zelmar::severityName(problem.severity)) +
           ", \"kind\": " + jsonString(config_zelmar::kindName(problem.kind)) +
           ", \"path\": " + config_zelmar::pathToJson(problem.path) +
           ", \"message\": " + jsonString(problem.message) + "}";
}

} // namespace

std::string ProblemPrinter::lines(const std::string& summary, const std::vector<Problem>& problems)
{
    std::string text = summary + "\n";
    for (const Problem& problem : problems) {
        text += (problem.severity == Problem::Severity::error ? "ошибка: " : "предупреждение: ") +
                problem.message + "\n";
    }
    return text;
}

std::string ProblemPrinter::json(const config_zelmar::ConfigurationCounts& counts,
                                 const std::vector<Problem>& problems)
{
    std::string text = "{\"summary\": " + countsJson(counts) + ", \"problems\": [";
    for (std::size_t i = 0; i < problems.size(); ++i) {
        text += (i == 0 ? "\n  " : ",\n  ") + problemJson(problems[i]);
    }
    return text + (problems.empty() ? "]}\n" : "\n]}\n");
}

} // namespace zelmar_cli
