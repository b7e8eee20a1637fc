#!/usr/bin/python3
"""The objectives of bench_objectives computed by networkx and numpy, on the same graphs.

Writes bench/data/objective_graphs.txt (with --write): ten connected G(n, 0.3) graphs for each of
n = 10, 20, 32 as graph strings ("n pairs", pairs in the order (1,0), (2,0), (2,1), ...), drawn with
a fixed seed. Then times, per graph and objective, what a Python user would call:
    largest adjacency eigenvalue  numpy.linalg.eigvalsh(networkx.to_numpy_array(G))[-1]
    energy                        sum(abs(eigvalsh(A)))
    WIENER                        networkx.wiener_index(G)
    RANDIC                        sum over edges of 1 / sqrt(d(u) d(v))
and prints microseconds per evaluation, to set beside bench_objectives' figures.

Needs Debian's python3-networkx and python3-numpy:
    /usr/bin/python3 bench/objectives_networkx.py [--write]
"""

import math
import os
import random
import sys
import timeit

import networkx as nx
import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data", "objective_graphs.txt")
ORDERS = (10, 20, 32)


def graph_string(g):
    n = g.number_of_nodes()
    return "%d %s" % (n, "".join("1" if g.has_edge(i, j) else "0" for i in range(1, n) for j in range(i)))


def read_graphs():
    graphs = {}
    with open(DATA) as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            n, pairs = line.split()
            n = int(n)
            g = nx.empty_graph(n)
            k = 0
            for i in range(1, n):
                for j in range(i):
                    if pairs[k] == "1":
                        g.add_edge(i, j)
                    k += 1
            graphs.setdefault(n, []).append(g)
    return graphs


if "--write" in sys.argv:
    rng = random.Random(20261207)
    with open(DATA, "w") as f:
        f.write("# connected G(n, 0.3) graphs, written by bench/objectives_networkx.py --write\n")
        for n in ORDERS:
            made = 0
            while made < 10:
                g = nx.gnp_random_graph(n, 0.3, seed=rng.randrange(1 << 30))
                if nx.is_connected(g):
                    f.write(graph_string(g) + "\n")
                    made += 1


def largest(g):
    return np.linalg.eigvalsh(nx.to_numpy_array(g))[-1]


def energy(g):
    return float(np.abs(np.linalg.eigvalsh(nx.to_numpy_array(g))).sum())


def randic(g):
    d = g.degree
    return sum(1.0 / math.sqrt(d[u] * d[v]) for u, v in g.edges())


OBJECTIVES = [("largest eigenvalue", largest), ("energy", energy),
              ("WIENER", nx.wiener_index), ("RANDIC", randic)]

graphs = read_graphs()
print("%-20s %10s %10s %10s   (us per evaluation, networkx %s, numpy %s)" %
      ("objective", "n=10", "n=20", "n=32", nx.__version__, np.__version__))
for name, f in OBJECTIVES:
    cells = []
    for n in ORDERS:
        gs = graphs[n]
        reps = 200
        t = timeit.timeit(lambda: [f(g) for g in gs], number=reps)
        cells.append("%10.1f" % (t / (reps * len(gs)) * 1e6))
    print("%-20s %s" % (name, " ".join(cells)))
