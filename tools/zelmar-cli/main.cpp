#include "CliApplication.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    return zelmar_cli::CliApplication::run(std::vector<std::string>(argv + 1, argv + argc));
}
