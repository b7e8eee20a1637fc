#!/usr/bin/python3
"""Reference spectra of real symmetric matrices, computed with numpy (LAPACK).

Writes tests/data/eigenvalues_numpy.txt. Each data line is one matrix:

    label n a[0][0] a[0][1] ... a[n-1][n-1] l_0 l_1 ... l_{n-1}

the n*n entries row by row, then the n eigenvalues in non-increasing order.
Numbers are written with 17 significant digits so that they read back exactly.

Run from anywhere with Debian's python3 (numpy is not needed by the tests):
    /usr/bin/python3 tests/generators/eigenvalues_reference.py
"""

import os

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "data", "eigenvalues_numpy.txt")

rng = np.random.default_rng(20240611)


def random_symmetric(n, low=-5.0, high=5.0):
    a = rng.uniform(low, high, size=(n, n))
    return np.triu(a) + np.triu(a, 1).T


def random_adjacency(n, p=0.5):
    a = (rng.uniform(size=(n, n)) < p).astype(float)
    a = np.triu(a, 1)
    return a + a.T


def laplacian(adj):
    return np.diag(adj.sum(axis=1)) - adj


def with_spectrum(values):
    """Q diag(values) Q^T for a random orthogonal Q: a matrix with a chosen (repeated) spectrum."""
    n = len(values)
    q, _ = np.linalg.qr(rng.normal(size=(n, n)))
    a = q @ np.diag(values) @ q.T
    return (a + a.T) / 2.0


cases = []
for n in (2, 3, 4, 5, 7, 8, 12, 16, 24, 32):
    cases.append(("random_uniform_%d" % n, random_symmetric(n)))
for n in (6, 10, 20, 32):
    adj = random_adjacency(n)
    cases.append(("gnp_adjacency_%d" % n, adj))
    cases.append(("gnp_laplacian_%d" % n, laplacian(adj)))
cases.append(("repeated_6", with_spectrum([4.0, 4.0, 4.0, -1.0, -1.0, 2.5])))
cases.append(("repeated_12", with_spectrum([3.0] * 5 + [0.0] * 4 + [-2.0] * 3)))
cases.append(("wide_range_9", with_spectrum([1000.0, 250.0, 10.0, 1.0, 0.1, 0.0, -0.5, -30.0, -400.0])))
cases.append(("small_entries_5", random_symmetric(5, -1e-3, 1e-3)))


def fmt(x):
    return "%.17g" % x


with open(OUT, "w") as f:
    f.write("# Eigenvalues of symmetric matrices by numpy.linalg.eigvalsh (LAPACK), written by\n")
    f.write("# tests/generators/eigenvalues_reference.py\n")
    f.write("# label n entries(row by row) eigenvalues(non-increasing)\n")
    for label, a in cases:
        n = a.shape[0]
        assert np.array_equal(a, a.T)
        vals = np.sort(np.linalg.eigvalsh(a))[::-1]
        fields = [label, str(n)] + [fmt(v) for v in a.flatten()] + [fmt(v) for v in vals]
        f.write(" ".join(fields) + "\n")
print("wrote %d matrices to %s" % (len(cases), os.path.normpath(OUT)))
