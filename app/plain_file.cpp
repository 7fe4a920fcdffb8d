#include "app/plain_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* openPlainFile(const char* path)
{
    // A FIFO would hold a plain open until someone writes to it; O_NONBLOCK returns at once and
    // changes nothing for the plain files that are then read.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    // The type of what was opened, not of the name, so nothing can be swapped in between.
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "r");
    if (file == nullptr) {
        close(fd);
    }
    return file;
}
