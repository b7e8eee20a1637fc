#include "graph/Random.h"

#include <atomic>
#include <chrono>
#include <iostream>
#include <random>

namespace
{

// Threads that never seed get distinct sequences: the clock mixed with a process-wide counter.
quint32 freshSeed()
{
    static std::atomic<quint32> counter{0x9e3779b9u};
    const auto now = static_cast<quint64>(std::chrono::steady_clock::now().time_since_epoch().count());
    return static_cast<quint32>(now ^ (now >> 32)) ^ counter.fetch_add(0x6d2b79f5u);
}

std::mt19937 &generator()
{
    thread_local std::mt19937 gen(freshSeed());
    return gen;
}

} // namespace

int tsy_qrand()
{
    return static_cast<int>(generator()() >> 1);
}

void tsy_srand(quint32 seed)
{
    generator().seed(seed);
}

double tsy_rand()
{
    return static_cast<double>(tsy_qrand()) / 2147483647.0;
}

int tsy_rand(int k)
{
    if (k < 1)
        return 0;
    const int r = static_cast<int>(static_cast<double>(k) * tsy_rand());
    if (r < k)
        return r;
    // Only a draw of exactly 1.0 lands here.
    std::cerr << "ERROR IN TSY_RAND(int)" << std::endl;
    return k - 1;
}

bool is_odd(int v)
{
    return (static_cast<unsigned>(v) & 1u) != 0;
}
