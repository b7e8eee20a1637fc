#!/usr/bin/python3
"""Reference values of the shortest-path betweenness, computed with networkx.

Writes tests/data/betweenness_reference.txt: every graph on 1 to 7 vertices (nauty-geng's order)
and a fixed set of connected graphs on 8 to 32 vertices (random graphs of several densities, the
complete bipartite graph K(16,16), the 5-cube and a graph of completely joined layers of 1, 5, 5,
5, 5, 5, 5 and 1 vertices, whose end vertices have 15625 shortest paths between them).

Run from the repository root with Debian's python3 (python3-networkx) and nauty-geng:
  /usr/bin/python3 tests/generators/betweenness_reference.py

File format (lines starting with '#' are comments):
  G <n> <pairs>  starts a graph: its order and one character per vertex pair in the order
                 (1,0), (2,0), (2,1), (3,0), ... ('1' = edge); <pairs> is '-' for n < 2
  EB <values>    edge betweenness, one value per edge in that pair order:
                 nx.edge_betweenness_centrality(g, normalized=False), i.e. the sum over the
                 unordered vertex pairs {s, t} of the share of the shortest s-t paths that use
                 the edge; 'none' for a disconnected graph
  VB <values>    vertex betweenness of vertices 0..n-1:
                 nx.betweenness_centrality(g, normalized=False, endpoints=False), i.e. the sum
                 over the unordered pairs {s, t} not containing v of the share of the shortest
                 s-t paths through v; 'none' for a disconnected graph
"""

import os
import random
import subprocess
import sys

import networkx as nx

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "tests", "data", "betweenness_reference.txt")


def num(x):
    x = float(x)
    if x == int(x):
        return str(int(x))
    return "%.12g" % x


def pairs(g):
    n = g.number_of_nodes()
    return [(i, j) for i in range(1, n) for j in range(i)]


def pair_string(g):
    if g.number_of_nodes() < 2:
        return "-"
    return "".join("1" if g.has_edge(i, j) else "0" for i, j in pairs(g))


def geng(n):
    out = subprocess.run(["nauty-geng", "-q", str(n)], check=True, capture_output=True).stdout
    return [nx.from_graph6_bytes(line) for line in out.split()]


def layered(sizes):
    g = nx.Graph()
    start = 0
    previous = []
    for s in sizes:
        layer = list(range(start, start + s))
        g.add_nodes_from(layer)
        g.add_edges_from((u, v) for u in previous for v in layer)
        previous = layer
        start += s
    return g


def connected_random_graphs():
    rnd = random.Random(20261207)
    graphs = []
    for n in range(8, 33):
        for p in (2.5 / n, 0.3, 0.5, 0.8):
            for _ in range(1000):
                g = nx.gnp_random_graph(n, p, seed=rnd.randrange(1 << 30))
                if nx.is_connected(g):
                    graphs.append(g)
                    break
        # a tree with a few chords
        t = nx.random_labeled_tree(n, seed=rnd.randrange(1 << 30)) if hasattr(nx, "random_labeled_tree") \
            else nx.random_tree(n, seed=rnd.randrange(1 << 30))
        for _ in range(n // 5):
            u, v = rnd.sample(range(n), 2)
            t.add_edge(u, v)
        graphs.append(nx.convert_node_labels_to_integers(t))
    graphs.append(nx.complete_bipartite_graph(16, 16))
    graphs.append(nx.convert_node_labels_to_integers(nx.hypercube_graph(5), ordering="sorted"))
    graphs.append(layered([1, 5, 5, 5, 5, 5, 5, 1]))
    return graphs


def main():
    graphs = []
    for n in range(1, 8):
        graphs.extend(geng(n))
    graphs.extend(connected_random_graphs())
    with open(OUT, "w") as f:
        f.write("# Written by tests/generators/betweenness_reference.py (networkx %s)\n" % nx.__version__)
        for g in graphs:
            f.write("G %d %s\n" % (g.number_of_nodes(), pair_string(g)))
            if not nx.is_connected(g):
                f.write("EB none\nVB none\n")
                continue
            eb = nx.edge_betweenness_centrality(g, normalized=False)
            vb = nx.betweenness_centrality(g, normalized=False, endpoints=False)
            values = [eb[(i, j)] if (i, j) in eb else eb[(j, i)] for i, j in pairs(g) if g.has_edge(i, j)]
            f.write("EB %s\n" % " ".join(num(x) for x in values))
            f.write("VB %s\n" % " ".join(num(vb[v]) for v in range(g.number_of_nodes())))
    return 0


if __name__ == "__main__":
    sys.exit(main())
