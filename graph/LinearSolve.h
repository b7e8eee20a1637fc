#pragma once

#include <QVector>

#include <functional>

// Least-effort fit of b as a linear combination of the columns of the n x n matrix A plus a
// constant: the columns and b are centred on their means, the centred system is solved by
// Gauss-Jordan elimination with complete pivoting, and the result is the n coefficients
// followed by the intercept (n + 1 values).
//
// The centred matrix has rank at most n - 1, so at least one coefficient is 0. Elimination
// stops at the first pivot of magnitude 0.0001 or less (or NaN); the coefficients of the
// columns not pivoted by then are 0. When n - 1 pivots are accepted, A x + c = b holds in
// every row.
//
// Sizes that do not match (A not n x n for the n entries of b) are reported on the error
// stream and an int of value 1 is thrown: the one exception in the program, caught by the
// conjecture engine.
//
// The elimination costs about 2 n^3 operations (seconds to minutes for thousands of columns).
// When interrupted is given, it is asked between elimination steps, about once per million
// operations (never for small systems); once it answers true, solve returns an empty vector.
QVector<double> solve(const QVector<QVector<double>> &A, const QVector<double> &b,
                      const std::function<bool()> &interrupted = {});
