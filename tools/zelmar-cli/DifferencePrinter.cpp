#include "DifferencePrinter.h"

#include "FileAccess.h"

namespace zelmar_cli {

std::string DifferencePrinter::lines(const std::vector<config_zelmar::Difference>& differences)
{
    std::string text;
    for (const config_zelmar::Difference& difference : differences) {
        text += difference.line + "\n";
    }
    return text;
}

std::string DifferencePrinter::json(const std::vector<config_zelmar::Difference>& differences)
{
    std::string text = "[";
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const config_zelmar::Difference& difference = differences[i];
        text += (i == 0 ? "\n  " : ",\n  ");
        text += "{\"path\": " + config_zelmar::pathToJson(difference.path) +
                ", \"old\": " + difference.oldValue.toJson() + ", \"new\": " + difference.newValue.toJson() +
                "}";
    }
    return text + (differences.empty() ? "]\n" : "\n]\n");
}

void DifferencePrinter::print(const std::vector<config_zelmar::Difference>& differences, bool asJson)
{
    const std::string text = asJson ? json(differences) : lines(differences);
    FileAccess::writeStandardOutput(QByteArray::fromStdString(text));
}

} // namespace zelmar_cli
