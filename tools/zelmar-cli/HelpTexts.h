#pragma once

#include <string>

namespace zelmar_cli {

// The text of "zelmar-cli --help".
const char* toolHelp();
// The text of "zelmar-cli COMMAND --help"; null for an unknown command.
const char* commandHelp(const std::string& command);
// Prints the command's help on standard output; returns the success status.
int printCommandHelp(const std::string& command);

} // namespace zelmar_cli
