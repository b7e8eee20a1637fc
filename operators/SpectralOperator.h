#pragma once

#include "operators/OperatorFrame.h"

#include <memory>

class SymmetricEigenvalues;

// The operators that need one real symmetric matrix of order n >= 2 ("EIGENVECTORS", "DETERMINANT",
// "INERTIA", "CHOLESKY", "LAPLACIANOF"): their shared argument checks, and the one place where the
// eigenvalues are computed.
class SpectralOperator : public OperatorFrame
{
protected:
    SpectralOperator();
    ~SpectralOperator() override;

    // Checks argument 1 in this order, each failure with its own status text: linked ("Missing
    // arguments"), not empty ("Argument error"), square ("<prefix> needs a square matrix"), larger
    // than a value ("<prefix> needs a matrix as argument"), every entry finite when finiteEntries
    // ("<prefix> needs finite entries"), symmetric within 1e-6 ("<prefix> needs a <symmetricWord>
    // matrix"). Returns the order n, or 0 after the failure epilogue.
    int symmetricOrder(const QString &prefix, const QString &symmetricWord, bool finiteEntries);

    // The n eigenvalues of argument 1, largest first, by the eigenvalue-only path (valid until the
    // next call; an evaluation allocates nothing). A decomposition that does not converge fails the
    // item with "<prefix> did not converge" and returns null.
    const double *eigenvalues(int n, const QString &prefix);

private:
    std::unique_ptr<SymmetricEigenvalues> spectrum; // made on first use
};
