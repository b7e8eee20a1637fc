#!/usr/bin/python3
"""Reference data for the analyst tables.

Run with Debian's interpreter (needs nauty, python3-networkx, python3-numpy):
    /usr/bin/python3 tests/generators/analyst_reference.py

Writes tests/data/analyst_geng6.txt: one line per graph of nauty-geng 6 (every graph on 6 vertices,
156 lines), in geng's order:
    graph string <TAB> connected (1/0) <TAB> Wiener index <TAB> Randic index
    <TAB> largest adjacency eigenvalue <TAB> degrees of vertices 1..6, comma-separated
(graph string: "n", blank, one bit per pair (1,0),(2,0),(2,1),(3,0),...; edges from networkx's
graph6 reader; the Wiener index is "-" for a disconnected graph; eigenvalues from numpy).
"""

import math
import os
import subprocess

import networkx as nx
import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")


def graph_string(g):
    n = g.number_of_nodes()
    bits = []
    for i in range(1, n):
        for j in range(i):
            bits.append("1" if g.has_edge(i, j) else "0")
    return "%d %s" % (n, "".join(bits))


def randic(g):
    return sum(1.0 / math.sqrt(g.degree(u) * g.degree(v)) for u, v in g.edges())


def main():
    out = subprocess.run(["nauty-geng", "-q", "6"], check=True, capture_output=True).stdout
    lines = out.decode("ascii").splitlines()
    with open(os.path.join(DATA, "analyst_geng6.txt"), "w") as f:
        f.write("# graph string, connected, Wiener, Randic, largest adjacency eigenvalue, degrees;\n")
        f.write("# every graph of nauty-geng 6, values from networkx and numpy\n")
        for line in lines:
            g = nx.from_graph6_bytes(line.encode("ascii"))
            n = g.number_of_nodes()
            connected = nx.is_connected(g)
            wiener = "%.12g" % nx.wiener_index(g) if connected else "-"
            a = nx.to_numpy_array(g, nodelist=range(n))
            lam = max(np.linalg.eigvalsh(a))
            degrees = ",".join(str(g.degree(v)) for v in range(n))
            f.write("%s\t%d\t%s\t%.12g\t%.12g\t%s\n"
                    % (graph_string(g), 1 if connected else 0, wiener, randic(g), lam, degrees))


if __name__ == "__main__":
    main()
