// sim/cell_index.h — cell indices of world positions that stay safe far outside the city.
#pragma once
#include "city/city_grid.h"

// trunc((c + 5) / 10), toward zero. A hero flung far away (or a NaN) must not overflow the
// conversion, so the quotient is saturated at a million cells first; NaN gives 0.
inline int cellOfCoordinate(float c)
{
    float index = (c + 5.0f) / 10.0f;
    if (!(index == index)) {
        return 0;
    }
    if (index > 1.0e6f) {
        index = 1.0e6f;
    } else if (index < -1.0e6f) {
        index = -1.0e6f;
    }
    return static_cast<int>(index);
}

inline int clampIndex(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

// The window [centre - half, centre + half] cut to [0, limit - 1]; empty (first > last)
// when the centre lies entirely outside.
struct IndexRange {
    int first, last;
};
inline IndexRange clampedWindow(int centre, int half, int limit)
{
    return IndexRange{centre - half < 0 ? 0 : centre - half,
                      centre + half > limit - 1 ? limit - 1 : centre + half};
}
