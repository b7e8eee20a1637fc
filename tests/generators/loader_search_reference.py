#!/usr/bin/python3
"""Reference data for the graph loader and the search engine.

Run with Debian's interpreter (it has networkx):
    /usr/bin/python3 tests/generators/loader_search_reference.py

Writes, under tests/data/:
  loader_geng5.g6            nauty-geng's output for every graph on 5 vertices, as geng writes it.
  loader_geng5_expected.txt  one line per graph of that file, in file order:
                             graph string <TAB> 1 when connected, else 0
                             (graph string: "n", blank, one bit per pair (1,0),(2,0),(2,1),...;
                             edges and connectivity from networkx's graph6 reader).
  search_optima.txt          extremal values over every connected graph of nauty-geng -c on
                             n vertices, found by brute force with networkx:
                             name <TAB> n <TAB> value
"""

import math
import os
import subprocess

import networkx as nx

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")


def geng(args):
    out = subprocess.run(["nauty-geng", "-q"] + args, check=True, capture_output=True).stdout
    return out.decode("ascii").splitlines()


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
    lines = geng(["5"])
    with open(os.path.join(DATA, "loader_geng5.g6"), "w") as f:
        f.write("\n".join(lines) + "\n")
    with open(os.path.join(DATA, "loader_geng5_expected.txt"), "w") as f:
        f.write("# graph string <TAB> connected; every graph of nauty-geng 5, read by networkx\n")
        for line in lines:
            g = nx.from_graph6_bytes(line.encode("ascii"))
            f.write("%s\t%d\n" % (graph_string(g), 1 if nx.is_connected(g) else 0))

    rows = []
    for n in (3, 6, 7):
        graphs = [nx.from_graph6_bytes(l.encode("ascii")) for l in geng(["-c", str(n)])]
        rows.append(("max_wiener_connected", n, max(nx.wiener_index(g) for g in graphs)))
        rows.append(("min_wiener_connected", n, min(nx.wiener_index(g) for g in graphs)))
        rows.append(("min_randic_connected", n, min(randic(g) for g in graphs)))
        rows.append(("max_size_connected", n, max(g.number_of_edges() for g in graphs)))
        # Triangle-free graphs need not be connected: every graph of geng -t.
        tf = [nx.from_graph6_bytes(l.encode("ascii")) for l in geng(["-t", str(n)])]
        rows.append(("max_size_trianglefree", n, max(g.number_of_edges() for g in tf)))
    with open(os.path.join(DATA, "search_optima.txt"), "w") as f:
        f.write("# name <TAB> order <TAB> optimum; brute force over nauty-geng output with networkx\n")
        for name, n, value in rows:
            f.write("%s\t%d\t%.12g\n" % (name, n, value))


if __name__ == "__main__":
    main()
