// Started by the launcher tests: writes its working folder and its arguments, each ended by a
// NUL byte, to the file (a FIFO the test reads) named by TIDEWELL_ECHO_ARGS_TO.
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

int main(int argc, char** argv) {
    const char* to = getenv("TIDEWELL_ECHO_ARGS_TO");
    if (to == nullptr) return 2;
    char folder[PATH_MAX];
    if (getcwd(folder, sizeof folder) == nullptr) return 3;
    std::string report(folder, strlen(folder) + 1);
    for (int i = 0; i < argc; ++i) report.append(argv[i], strlen(argv[i]) + 1);
    const int fd = open(to, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return 4;
    const bool written = write(fd, report.data(), report.size()) == static_cast<ssize_t>(report.size());
    close(fd);
    return written ? 0 : 5;
}
