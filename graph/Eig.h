#pragma once

#include <QString>
#include <QVector>

// Eigenvalues and orthonormal eigenvectors of a real symmetric matrix by classical Jacobi
// rotations (always the largest off-diagonal entry of the upper triangle, within 1e-6, is
// annihilated) until every off-diagonal entry is below 1e-6.
//
// Everything is computed by the constructor. The eigenvalues come out in descending order;
// the eigenvectors are the columns of eigvecs() in the same order, so eigvecs()[r][k] is
// component r of the eigenvector of eigval(k). Equal eigenvalues keep the order of their
// diagonal positions; the sign of an eigenvector is whatever the rotations produced.
//
// The matrix is not checked for symmetry: callers refuse unsymmetric arguments first.
//
// Failure: a matrix with an infinite or NaN entry, a matrix smaller than the given order, or
// one that does not converge within maxRotations(n) rotations makes converged() false and
// errorText() say why. The results then still have their full sizes (n values, n x n
// vectors) but every entry is NaN, so a caller that forgets to ask cannot read a plausible
// but wrong spectrum. Orders 0 and 1 always converge (no values; or the single diagonal
// entry with the eigenvector (1)).
class Eig
{
public:
    // A must hold at least n rows of at least n entries; only the leading n x n block is read.
    Eig(const QVector<QVector<double>> &A, int n);
    ~Eig();

    QVector<double> eigvals() const { return values; }
    QVector<QVector<double>> eigvecs() const { return vectors; }

    // Eigenvalue i; out of range: a message on the error stream and 0.0.
    double eigval(int i) const;
    // Column i of the eigenvector matrix; out of range: a message and an empty vector.
    QVector<double> eigvec(int i) const;

    int getOrder() const { return order; }

    // True when the rotations reached the tolerance and every result is finite.
    bool converged() const { return ok; }
    // Empty when converged(); otherwise a sentence saying why the decomposition failed.
    QString errorText() const { return error; }

    // The most rotations spent on a matrix of order n before giving up. Classical Jacobi needs
    // a few sweeps of n(n-1)/2 rotations; the bound leaves a wide margin above that.
    static long maxRotations(int n);

private:
    void fail(const QString &why);

    QVector<double> values;
    QVector<QVector<double>> vectors;
    int order = 0;
    bool ok = true;
    QString error;
};
