/* Preloaded into the game under test (LD_PRELOAD): time() answers the whole number in
 * LORNHAVEN_FIXED_TIME. The game seeds its city from time() and shows the clock through
 * localtime_r of that value, so a test plays the city it chose, the menu's clock stands still,
 * and a failure can be replayed. Without the variable time() is the C library's own.
 * The game calls time() through its PLT, so this definition wins over glibc's vDSO-backed one;
 * under AddressSanitizer, whose runtime must come first in LD_PRELOAD, the runtime's own time()
 * finds this one as the next definition. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

time_t time(time_t* out)
{
    const char* text = getenv("LORNHAVEN_FIXED_TIME");
    time_t now;
    if (text != NULL && *text != '\0') {
        char* end = NULL;
        errno = 0;
        long long value = strtoll(text, &end, 10);
        if (*end != '\0' || errno != 0 || value < 0) {
            /* A mistyped seed must not quietly become the clock's city. */
            fprintf(stderr, "fixed_time: LORNHAVEN_FIXED_TIME=%s is not a whole number of seconds\n", text);
            abort();
        }
        now = (time_t)value;
    } else {
        time_t (*clockTime)(time_t*) = (time_t (*)(time_t*))dlsym(RTLD_NEXT, "time");
        now = clockTime != NULL ? clockTime(NULL) : (time_t)-1;
    }
    if (out != NULL) {
        *out = now;
    }
    return now;
}
