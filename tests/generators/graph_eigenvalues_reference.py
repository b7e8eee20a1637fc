#!/usr/bin/python3
"""Reference spectra of the graph matrices of the committed invariant graph sets, by numpy.

Reads the graph strings ("G n pairs") of tests/data/invariants_small.txt and
tests/data/invariants_random.txt and writes tests/data/graph_eigenvalues_numpy.txt, one line per graph
and matrix kind:

    kind n pairs l_0 l_1 ... l_{n-1}

kind is A (adjacency), L (Laplacian D - A), Q (signless Laplacian D + A) or N (normalised
Laplacian I - D^-1/2 A D^-1/2, with 1 on the diagonal and 0 off it for isolated vertices);
pairs is the graph string's pair part ("-" for none); the eigenvalues are non-increasing,
with 17 significant digits.

Run from anywhere with Debian's python3 and python3-numpy:
    /usr/bin/python3 tests/generators/graph_eigenvalues_reference.py
"""

import os

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")
OUT = os.path.join(DATA, "graph_eigenvalues_numpy.txt")


def graphs(name, every=1):
    out = []
    with open(os.path.join(DATA, name)) as f:
        for line in f:
            if line.startswith("G "):
                parts = line.split()
                out.append((int(parts[1]), parts[2] if len(parts) > 2 else "-"))
    return out[::every]


def adjacency(n, pairs):
    a = np.zeros((n, n))
    k = 0
    for i in range(1, n):
        for j in range(i):
            if pairs[k] == "1":
                a[i, j] = a[j, i] = 1.0
            k += 1
    return a


def matrices(a):
    d = a.sum(axis=1)
    n = a.shape[0]
    inv = np.array([1.0 / np.sqrt(x) if x > 0 else 0.0 for x in d])
    nl = np.eye(n) - (inv[:, None] * a * inv[None, :])
    return [("A", a), ("L", np.diag(d) - a), ("Q", np.diag(d) + a), ("N", nl)]


with open(OUT, "w") as f:
    f.write("# Spectra by numpy.linalg.eigvalsh (LAPACK), written by tests/generators/graph_eigenvalues_reference.py\n")
    f.write("# kind n pairs eigenvalues(non-increasing); kinds A, L, Q (signless), N (normalised)\n")
    count = 0
    # every graph on 1 to 6 vertices, every third on 7 (thinned once more), random ones on 8 to 32
    for n, pairs in graphs("invariants_small.txt", 2) + graphs("invariants_random.txt"):
        if n == 0:
            continue
        for kind, m in matrices(adjacency(n, pairs)):
            vals = np.sort(np.linalg.eigvalsh(m))[::-1]
            f.write(" ".join([kind, str(n), pairs] + ["%.17g" % v for v in vals]) + "\n")
            count += 1
print("wrote %d spectra to %s" % (count, os.path.normpath(OUT)))
