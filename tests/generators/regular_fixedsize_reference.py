#!/usr/bin/python3
"""Reference optima for the regular-graph and fixed-edge-count searches.

Run with Debian's interpreter (it has networkx and numpy):
    /usr/bin/python3 tests/generators/regular_fixedsize_reference.py

Writes tests/data/regular_fixedsize_optima.txt, one line per extremal value:
    name <TAB> n <TAB> k <TAB> value
found by brute force over nauty-geng's output:
  min_wiener_regular_connected  k = degree: smallest Wiener index over the connected
                                k-regular graphs on n vertices (geng -c -dk -Dk n)
  max_lambda1_size              k = edges: largest adjacency eigenvalue over every graph on
                                n vertices with k edges (geng n k:k), numpy's eigvalsh
  max_wiener_size_connected     k = edges: largest Wiener index over the connected graphs on
  min_wiener_size_connected     n vertices with k edges (geng -c n k:k), networkx
"""

import os
import subprocess

import networkx as nx
import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")


def geng(args):
    out = subprocess.run(["nauty-geng", "-q"] + args, check=True, capture_output=True).stdout
    return out.decode("ascii").splitlines()


def adjacency_batch(lines, n):
    a = np.zeros((len(lines), n, n))
    for k, line in enumerate(lines):
        g = nx.from_graph6_bytes(line.encode("ascii"))
        for u, v in g.edges():
            a[k, u, v] = a[k, v, u] = 1.0
    return a


def max_lambda1(n, m):
    lines = geng(["%d" % n, "%d:%d" % (m, m)])
    best = -1.0
    for start in range(0, len(lines), 20000):
        a = adjacency_batch(lines[start:start + 20000], n)
        best = max(best, float(np.linalg.eigvalsh(a)[:, -1].max()))
    return best


def wiener_values(args):
    return [nx.wiener_index(nx.from_graph6_bytes(l.encode("ascii"))) for l in geng(args)]


def main():
    rows = []
    for n, d in ((8, 3), (10, 3), (12, 3), (14, 3), (9, 4)):
        values = wiener_values(["-c", "-d%d" % d, "-D%d" % d, "%d" % n])
        rows.append(("min_wiener_regular_connected", n, d, min(values)))
    for n in (4, 5):
        for m in range(n * (n - 1) // 2 + 1):
            rows.append(("max_lambda1_size", n, m, max_lambda1(n, m)))
    rows.append(("max_lambda1_size", 10, 15, max_lambda1(10, 15)))
    for n in (4, 5):
        for m in range(n - 1, n * (n - 1) // 2 + 1):
            values = wiener_values(["-c", "%d" % n, "%d:%d" % (m, m)])
            rows.append(("max_wiener_size_connected", n, m, max(values)))
            rows.append(("min_wiener_size_connected", n, m, min(values)))
    with open(os.path.join(DATA, "regular_fixedsize_optima.txt"), "w") as f:
        f.write("# name <TAB> n <TAB> degree or edges <TAB> optimum; brute force over nauty-geng output\n")
        for name, n, k, value in rows:
            text = "%.12g" % value
            if text == "-0":
                text = "0"
            f.write("%s\t%d\t%d\t%s\n" % (name, n, k, text))


if __name__ == "__main__":
    main()
