#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return tidewell::cli::Run(arguments, std::cout, std::cerr);
}
