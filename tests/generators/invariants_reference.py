#!/usr/bin/python3
"""Reference values of the graph invariants, computed with networkx and numpy.

Writes
  tests/data/invariants_small.txt   every graph on 1 to 6 vertices and every third graph on 7
                                    vertices, in nauty-geng's order (the data stays small)
  tests/data/invariants_random.txt  a fixed set of random graphs on 8 to 32 vertices

Run from the repository root with Debian's python3 (networkx, numpy) and nauty-geng:
  /usr/bin/python3 tests/generators/invariants_reference.py

File format (lines starting with '#' are comments):
  G <n> <pairs>     starts a graph: its order and one character per vertex pair in the
                    order (1,0), (2,0), (2,1), (3,0), ... ('1' = edge); <pairs> is '-' for n < 2
  <KEY> <values>    the invariant KEY of that graph: one number for a value, n numbers for a
                    vertex vector, n*n numbers row by row for a matrix; 'inf' for an unreachable
                    distance; the single word 'none' where the quantity is undefined in the
                    usual sense (disconnected graph, no leaf, no edge for the modularity matrix)

The values follow the textbook definitions; where the program adopts a rule of its own for
the undefined cases (unreached pairs, isolated vertices, small orders) the tests apply it.
"""

import itertools
import math
import os
import random
import subprocess
import sys
import warnings

import networkx as nx
import numpy as np

warnings.simplefilter("ignore", FutureWarning)

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
DATA = os.path.join(ROOT, "tests", "data")


def num(x):
    if isinstance(x, (int, np.integer)):
        return str(int(x))
    x = float(x)
    if math.isinf(x):
        return "inf"
    if x == int(x) and abs(x) < 1e15:
        return str(int(x))
    return "%.12g" % x


def pair_string(g):
    n = g.number_of_nodes()
    if n < 2:
        return "-"
    return "".join("1" if g.has_edge(i, j) else "0" for i in range(1, n) for j in range(i))


def distance_matrix(g):
    n = g.number_of_nodes()
    d = [[math.inf] * n for _ in range(n)]
    for s, lengths in nx.all_pairs_shortest_path_length(g):
        for t, l in lengths.items():
            d[s][t] = l
    return d


def claws(g):
    """Claws centred on vertices of degree exactly 3: such a vertex adds 1 when its three
    neighbours are pairwise non-adjacent (the program's own definition of CLAWS)."""
    count = 0
    for v in g:
        if g.degree(v) != 3:
            continue
        a, b, c = sorted(g[v])
        if not (g.has_edge(a, b) or g.has_edge(a, c) or g.has_edge(b, c)):
            count += 1
    return count


def reference(g):
    """KEY -> list of numbers, or None when undefined."""
    n = g.number_of_nodes()
    m = g.number_of_edges()
    V = range(n)
    deg = [g.degree(v) for v in V]
    conn = n > 0 and nx.is_connected(g)
    dist = distance_matrix(g)
    leaves = [v for v in V if deg[v] == 1]
    adj = nx.to_numpy_array(g, nodelist=list(V))
    out = {}

    out["ORDER"] = [n]
    out["SIZE"] = [m]
    out["DEGREES"] = deg
    out["DEGMAX"] = [max(deg)]
    out["DEGMIN"] = [min(deg)]
    out["PENDING"] = [len(leaves)]
    out["KCHERRIES"] = [sum(1 for w in g.neighbors(v) if deg[w] == 1) for v in V]
    out["CLAWS"] = [claws(g)]
    out["TRIANGLES"] = [sum(nx.triangles(g).values()) // 3]
    # Platt: every edge of the line graph is counted from both of its ends
    out["PLATT"] = [2 * nx.line_graph(g).number_of_edges()]
    out["RANDIC"] = [sum(1.0 / math.sqrt(deg[u] * deg[v]) for u, v in g.edges())]
    out["ZAGREBM1"] = [sum(x * x for x in deg)]
    out["ZAGREBM2"] = [sum(deg[u] * deg[v] for u, v in g.edges())]

    out["DISTANCES"] = [dist[i][j] for i in V for j in V]
    if conn:
        ecc = nx.eccentricity(g)
        out["ECCENTRICITY"] = [ecc[v] for v in V]
        out["RADIUS"] = [nx.radius(g)]
        out["DIAMETER"] = [nx.diameter(g)]
        out["WIENER"] = [nx.wiener_index(g)]
        out["HARARY"] = [sum(1.0 / dist[i][j] for i in V for j in range(i))]
        trans = [sum(dist[v]) for v in V]
        out["TRANSMISSION"] = trans
        harm = nx.harmonic_centrality(g)
        out["DTRANSMISSION"] = [harm[v] for v in V]
        out["DISTCLOSESTLEAF"] = [min(dist[v][w] for w in leaves) for v in V] if leaves else None
        out["SUMDISTP"] = [sum(dist[v][w] for w in leaves) for v in V]
        if n == 1:
            out["BALABAN"] = [0]
        else:
            s = sum(1.0 / math.sqrt(trans[u] * trans[v]) for u, v in g.edges())
            out["BALABAN"] = [m / (m - n + 2) * s]
        mu = np.sort(np.linalg.eigvalsh(nx.laplacian_matrix(g, nodelist=list(V)).toarray().astype(float)))
        out["KIRCHHOFF"] = [n * sum(1.0 / x for x in mu[1:])]
    else:
        for k in ("ECCENTRICITY", "RADIUS", "DIAMETER", "WIENER", "HARARY", "TRANSMISSION",
                  "DTRANSMISSION", "DISTCLOSESTLEAF", "SUMDISTP", "BALABAN", "KIRCHHOFF"):
            out[k] = None

    out["ADJACENCY"] = [adj[i][j] for i in V for j in V]
    lap = nx.laplacian_matrix(g, nodelist=list(V)).toarray()
    out["LAPLACIAN"] = [lap[i][j] for i in V for j in V]
    out["SLLAPLACIAN"] = [(deg[i] if i == j else adj[i][j]) for i in V for j in V]
    nl = nx.normalized_laplacian_matrix(g, nodelist=list(V)).toarray()
    out["NLAPLACIAN"] = [nl[i][j] for i in V for j in V]
    if m > 0:
        b = np.asarray(nx.modularity_matrix(g, nodelist=list(V)))
        out["MODULARITY"] = [b[i][j] for i in V for j in V]
    else:
        out["MODULARITY"] = None
    out["COMNEIGH"] = [0 if i == j else len(list(nx.common_neighbors(g, i, j))) for i in V for j in V]
    return out


def write(path, graphs, header):
    with open(path, "w") as f:
        f.write("# Written by tests/generators/invariants_reference.py (networkx %s, numpy %s)\n"
                % (nx.__version__, np.__version__))
        f.write("# %s\n" % header)
        for g in graphs:
            f.write("G %d %s\n" % (g.number_of_nodes(), pair_string(g)))
            for key, vals in sorted(reference(g).items()):
                f.write("%s %s\n" % (key, "none" if vals is None else " ".join(num(v) for v in vals)))


def geng(n):
    out = subprocess.run(["nauty-geng", "-q", str(n)], check=True, capture_output=True).stdout
    return [nx.from_graph6_bytes(line) for line in out.split()]


def random_graphs():
    rnd = random.Random(20240607)
    graphs = []
    for n in range(8, 33):
        # a sparse one (often a forest or disconnected), a middle one on the smaller orders
        # and a dense one
        for p in ((2.2 / n, 0.5, 0.85) if n <= 20 else (2.2 / n, 0.85)):
            g = nx.gnp_random_graph(n, p, seed=rnd.randrange(1 << 30))
            graphs.append(g)
        # a connected sparse one with leaves: a random tree with a few extra edges
        t = nx.random_tree(n, seed=rnd.randrange(1 << 30)) if hasattr(nx, "random_tree") \
            else nx.random_labeled_tree(n, seed=rnd.randrange(1 << 30))
        for _ in range(n // 6):
            u, v = rnd.sample(range(n), 2)
            t.add_edge(u, v)
        graphs.append(nx.convert_node_labels_to_integers(t))
    return graphs


def main():
    small = []
    for n in range(1, 7):
        small.extend(geng(n))
    small.extend(geng(7)[::3])
    write(os.path.join(DATA, "invariants_small.txt"), small,
          "every graph on 1 to 6 vertices and every third graph on 7 vertices, from nauty-geng")
    write(os.path.join(DATA, "invariants_random.txt"), random_graphs(),
          "random graphs on 8 to 32 vertices (fixed seed)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
