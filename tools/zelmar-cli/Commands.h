#pragma once

#include <string>
#include <vector>

namespace zelmar_cli {

// One function per subcommand: takes the arguments after the subcommand's name, returns the exit status,
// throws CliError or config_zelmar::ConfiguratorError.
using Arguments = std::vector<std::string>;

int runPorts(const Arguments& arguments);
int runInfo(const Arguments& arguments);
int runRead(const Arguments& arguments);
int runWrite(const Arguments& arguments);
int runCheck(const Arguments& arguments);
int runDiff(const Arguments& arguments);
int runConvert(const Arguments& arguments);
int runEncode(const Arguments& arguments);
int runDecode(const Arguments& arguments);
int runEmulate(const Arguments& arguments);
int runDoctor(const Arguments& arguments);
int runReport(const Arguments& arguments);
int runBackups(const Arguments& arguments);
int runRestore(const Arguments& arguments);

} // namespace zelmar_cli
