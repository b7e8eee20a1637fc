#pragma once

#include <QVector>

// Cholesky factorisation A = L * L^T of a symmetric positive definite matrix (left-looking,
// column by column). Only the entries on and below the diagonal of A are read.
//
// On success q() is the lower-triangular factor L (zeros above the diagonal). A pivot that is
// not clearly positive makes the factorisation fail, and q() is then an n x n matrix of zeros.
// "Clearly positive" means finite and above the rounding error of its own computation: a
// singular positive semidefinite matrix such as a graph Laplacian often leaves a last pivot of
// a few ulps instead of an exact zero, and must not pass for positive definite. A NaN or
// infinite pivot fails too, as does a matrix smaller than the given order.
class Cholesky
{
public:
    // A must hold at least n rows of at least n entries; only the leading n x n block is read.
    Cholesky(const QVector<QVector<double>> &A, int n);

    QVector<QVector<double>> q() const { return factor; }
    bool succeeded() const { return success; }

private:
    QVector<QVector<double>> factor;
    bool success = true;
};
