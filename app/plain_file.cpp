#include "app/plain_file.h"

#include <SDL/SDL_image.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_rwops.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/image_check.h"

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

// The browser's files are the page's own, preloaded and decoded by the browser, and its SDL
// finds them only by name: there is no FIFO or device among them to guard against.
#ifdef __EMSCRIPTEN__

SDL_Surface* loadPlainImage(const char* path) { return IMG_Load(path); }

_Mix_Music* loadPlainMusic(const char* path) { return Mix_LoadMUS(path); }

#else

// openPlainFile as an SDL data source that closes the file when the source is closed, or null.
static SDL_RWops* openPlainFileSource(const char* path)
{
    std::FILE* file = openPlainFile(path);
    if (file == nullptr) {
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromFP(file, SDL_TRUE);
    if (source == nullptr) {
        std::fclose(file);
    }
    return source;
}

SDL_Surface* loadPlainImage(const char* path)
{
    return loadCheckedImage(openPlainFile(path));
}

_Mix_Music* loadPlainMusic(const char* path)
{
    SDL_RWops* source = openPlainFileSource(path);
    return source != nullptr ? Mix_LoadMUSType_RW(source, MUS_OGG, 1) : nullptr;
}

#endif
