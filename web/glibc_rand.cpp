// The C library's rand()/srand() as glibc has them, for the browser build: its own C library
// has another generator, and a seed must give the same city in the browser as on the desktop.
// glibc's default generator is the additive feedback one: 31 words of state, each new word the
// sum of the words 31 and 3 places back, seeded by a Lehmer sequence and run 310 steps ahead.
#include <cstdint>
#include <cstdlib>

static constexpr int StateWords = 31;
static constexpr int FeedbackLag = 3;

static int32_t state[StateWords];
static int front = FeedbackLag;   // the newer tap, 3 words ahead of the older
static int rear = 0;
static bool seeded = false;

static int32_t nextValue()
{
    uint32_t sum = static_cast<uint32_t>(state[front]) + static_cast<uint32_t>(state[rear]);
    state[front] = static_cast<int32_t>(sum);
    front = (front + 1) % StateWords;
    rear = (rear + 1) % StateWords;
    return static_cast<int32_t>(sum >> 1);
}

static void seedState(unsigned seed)
{
    if (seed == 0) {
        seed = 1;
    }
    // The same 32-bit signed arithmetic as glibc, including for seeds of 2^31 and above.
    int32_t word = static_cast<int32_t>(seed);
    state[0] = word;
    for (int i = 1; i < StateWords; ++i) {
        // 16807 * word mod (2^31 - 1) without overflow (Schrage's method).
        int64_t high = word / 127773;
        int64_t low = word % 127773;
        word = static_cast<int32_t>(16807 * low - 2836 * high);
        if (word < 0) {
            word += 2147483647;
        }
        state[i] = word;
    }
    front = FeedbackLag;
    rear = 0;
    for (int i = 0; i < 10 * StateWords; ++i) {
        nextValue();
    }
    seeded = true;
}

extern "C" void srand(unsigned seed)
{
    seedState(seed);
}

extern "C" int rand()
{
    if (!seeded) {
        seedState(1);   // as if srand(1), like every C library before the first srand
    }
    return nextValue();
}
