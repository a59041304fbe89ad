#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
    try {
        std::vector<std::string> arguments(argv + 1, argv + argc);
        return tidewell::cli::Run(arguments, std::cout, std::cerr);
    } catch (...) {
        // Run has said what went wrong unless even that failed (no memory left for the arguments
        // or the message): end with the failure status rather than abort.
        return tidewell::cli::kExitFailure;
    }
}
