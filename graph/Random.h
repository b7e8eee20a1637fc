#pragma once

#include <QtGlobal>

// Random numbers for the search and the graph code. Every thread draws from its own
// generator, so workers never share a sequence and never take a lock for a draw.

// A raw draw in 0..2147483647 from the calling thread's generator.
int tsy_qrand();

// Seeds the calling thread's generator (tests and search workers use it).
void tsy_srand(quint32 seed);

// A uniform double in [0, 1], both ends possible.
double tsy_rand();

// A uniform integer in 0..k-1; 0 without drawing when k < 1.
int tsy_rand(int k);

// The lowest bit of v (true for every odd value, negative ones included).
bool is_odd(int v);
