// app/platform.h — what the game asks of the system under it, where the desktop and the browser
// differ. The desktop's answers (Linux, glibc, X11) are in app/platform.cpp; the browser build
// leaves that file out and gives its own in web/browser_platform.cpp.
#pragma once

// The process exit status when memory runs out (after one line on standard error).
constexpr int OutOfMemoryStatus = 4;

// First thing in main, before anything opens a file or a connection: standard input, output and
// error are open (on /dev/null where they were closed), a failed allocation ends the game with
// one line and OutOfMemoryStatus, and freed memory is kept for the next frame's draws.
void prepareProcess();

// Before SDL starts its video: only drivers that can show an OpenGL window are tried, and no
// colour-mapped visual is asked for that SDL 1.2 cannot fill.
void prepareWindowSystem();
// Between these two, an error the window system reports ends the game with status 3 and one line
// saying what to try, as a mode that cannot be set does.
void beginGlModeSet();
void endGlModeSet();

// loadPlainImage and loadPlainMusic (app/plain_file.h) are defined with these: the desktop opens
// the plain file itself, the browser's SDL finds its files only by name.
