#include "city/random_source.h"

#include <cstdlib>

int64_t randomDrawCount = 0;

int randomValue()
{
    ++randomDrawCount;
    return std::rand();
}

int randomBelow(int n) { return randomValue() % n; }
