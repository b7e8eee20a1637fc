#pragma once

#include <QString>
#include <QVector>

#include <memory>

// Eigenvalues only (no vectors) of a real symmetric matrix of order up to 64, in descending
// order, by Householder tridiagonalisation and implicit QR (Eigen's self-adjoint solver).
//
// This is the path for every caller that needs the spectrum alone: it is an order of magnitude
// faster than the Jacobi rotations of Eig, whose vectors, signs and order of equal eigenvalues
// EIGENVECTORS shows and which therefore stay as they are. The values agree with Eig's within
// Eig's own tolerance.
//
// One object is meant to be kept and reused: its work space has a fixed capacity of 64 x 64, so
// a computation allocates nothing. Only the lower triangle of the leading n x n block is read;
// callers refuse unsymmetric arguments first.
class SymmetricEigenvalues
{
public:
    static constexpr int MaxOrder = 64;

    SymmetricEigenvalues();
    ~SymmetricEigenvalues();
    SymmetricEigenvalues(const SymmetricEigenvalues &) = delete;
    SymmetricEigenvalues &operator=(const SymmetricEigenvalues &) = delete;

    // Computes the eigenvalues of the leading n x n block of A (A holds at least n rows of at
    // least n entries). Returns false, with errorText() saying why and every value NaN, for an
    // order outside 0..64, a short matrix, a NaN or infinite entry, or no convergence.
    bool compute(const QVector<QVector<double>> &A, int n);
    // The same for a row-major n x n array.
    bool compute(const double *a, int n);

    int order() const { return n; }
    // Eigenvalue k of the last computation, k = 0 the largest.
    double value(int k) const { return values[k]; }
    const double *data() const { return values; }
    bool ok() const { return success; }
    QString errorText() const { return error; }

private:
    bool fail(const QString &why);
    // n := order clamped to 0..64 and the work space sized; false (failed) when it was outside.
    bool setOrder(int order);
    bool solve();

    struct Work;
    std::unique_ptr<Work> work;
    double values[MaxOrder];
    int n = 0;
    bool success = true;
    QString error;
};
