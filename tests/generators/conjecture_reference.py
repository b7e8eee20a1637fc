#!/usr/bin/python3
"""Reference data for the conjecture engine and the X-Y plot.

Run with Debian's interpreter (it has networkx, package python3-networkx):
    /usr/bin/python3 tests/generators/conjecture_reference.py

Writes, under tests/data/:
  conjecture_trees.txt   one line per non-isomorphic tree on 8, 9 and 10 vertices (networkx's
                         nonisomorphic_trees): ORDER <TAB> SIZE <TAB> WIENER <TAB> graph string.
                         Among trees of order n the star has the least Wiener index, (n-1)^2,
                         and the path the largest, (n^3-n)/6.
  plot_connected7.txt    one line per connected graph on 7 vertices (networkx's graph atlas):
                         SIZE <TAB> WIENER <TAB> graph string.
(graph string: "n", blank, one character per pair (1,0),(2,0),(2,1),(3,0),...)
"""

import os

import networkx as nx

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")


def graph_string(g):
    nodes = sorted(g.nodes())
    index = {v: i for i, v in enumerate(nodes)}
    n = len(nodes)
    adj = [[False] * n for _ in range(n)]
    for u, v in g.edges():
        adj[index[u]][index[v]] = adj[index[v]][index[u]] = True
    bits = "".join("1" if adj[i][j] else "0" for i in range(1, n) for j in range(i))
    return "%d %s" % (n, bits)


def main():
    with open(os.path.join(DATA, "conjecture_trees.txt"), "w") as out:
        out.write("# ORDER\tSIZE\tWIENER\tgraph string; every tree on 8 to 10 vertices (networkx)\n")
        for n in (8, 9, 10):
            for t in nx.nonisomorphic_trees(n):
                w = int(round(nx.wiener_index(t)))
                out.write("%d\t%d\t%d\t%s\n" % (n, t.number_of_edges(), w, graph_string(t)))
    with open(os.path.join(DATA, "plot_connected7.txt"), "w") as out:
        out.write("# SIZE\tWIENER\tgraph string; every connected graph on 7 vertices (networkx atlas)\n")
        for g in nx.graph_atlas_g():
            if g.number_of_nodes() == 7 and nx.is_connected(g):
                w = int(round(nx.wiener_index(g)))
                out.write("%d\t%d\t%s\n" % (g.number_of_edges(), w, graph_string(g)))


if __name__ == "__main__":
    main()
