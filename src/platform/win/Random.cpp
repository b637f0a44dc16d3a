#include "platform/win/Random.h"

#include <cstdint>

namespace {
thread_local std::uint32_t t_state = 1;
}

void SRand(unsigned int seed)
{
    t_state = seed;
}

int Rand()
{
    t_state = t_state * 214013u + 2531011u;  // wraps modulo 2^32, as the 32-bit original does
    return static_cast<int>((t_state >> 16) & 0x7FFF);
}
