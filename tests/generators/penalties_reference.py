#!/usr/bin/python3
"""Reference values of the structural penalties of the problem board, from networkx.

Writes tests/data/penalties_reference.txt. Run from anywhere with Debian's python3 (networkx)
and nauty-geng:
  /usr/bin/python3 tests/generators/penalties_reference.py

Graphs: every graph on 0 to 5 vertices and every graph on 6 vertices from nauty-geng (connected
or not), a few named graphs and seeded random graphs on 12, 20 and 32 vertices.

One line per graph, tab-separated:
  graph string   order, a blank, one character per vertex pair (1,0), (2,0), (2,1), (3,0), ...
  n m            order and number of edges
  conn           connected components - 1 (0 for the empty graph, 1 for a single vertex)
  connbar        the same for the complement graph
  chem           chemical penalty: 0 when the largest degree D <= 4, else (D - 4) * n + c,
                 c the number of vertices of degree D
  dm_le dm_eq dm_ge     maximum-degree penalty for the bound 3 under "<=", "==" and ">="
  di_le di_eq di_ge     diameter penalty for the bound 2 under "<=", "==" and ">="
  reg2 reg3      sum over the vertices of |degree - r| for r = 2 and r = 3
The graph quantities (degrees, components, distances, diameter) come from networkx; the
penalty formulas are the board's documented ones.
"""

import os
import random
import subprocess

import networkx as nx

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "tests", "data", "penalties_reference.txt")
BIG = 1e12


def graph_string(g):
    n = g.number_of_nodes()
    if n < 2:
        return str(n)
    bits = []
    for i in range(1, n):
        for j in range(i):
            bits.append("1" if g.has_edge(i, j) else "0")
    return "%d %s" % (n, "".join(bits))


def extra_components(g):
    n = g.number_of_nodes()
    if n == 0:
        return 0
    if n == 1:
        return 1
    return nx.number_connected_components(g) - 1


def degree_stats(g):
    degs = [d for _, d in g.degree()]
    if not degs:
        return 0, 0
    top = max(degs)
    return top, degs.count(top)


def chemical(g):
    n = g.number_of_nodes()
    top, c = degree_stats(g)
    return 0 if top <= 4 else (top - 4) * n + c


def degmax(g, v, rel):
    n = g.number_of_nodes()
    top, c = degree_stats(g)
    if rel == -1:
        return (top - v) * n + c if top > v else 0
    if rel == 1:
        return (v - top) * n + c if v > top else 0
    if top > v:
        return (top - v) * n + c
    if v > top:
        return (v - top) * n
    return 0


def diameter(g, v, rel):
    n = g.number_of_nodes()
    if n == 0:
        d, k = 0, 0
    else:
        if not nx.is_connected(g):
            return BIG
        dist = dict(nx.all_pairs_shortest_path_length(g))
        d = max(max(row.values()) for row in dist.values())
        k = sum(1 for i in dist for j in dist[i] if dist[i][j] == d)
    if d == v or (d < v and rel == -1) or (d > v and rel == 1):
        return 0
    if n == 0:
        return abs(d - v)
    return abs(k / (n * n) + d - v)


def regular(g, r):
    return sum(abs(d - r) for _, d in g.degree())


def fmt(x):
    if isinstance(x, int) or float(x) == int(x):
        return str(int(x))
    return repr(float(x))


def geng(n):
    out = subprocess.run(["nauty-geng", "-q", str(n)], check=True, capture_output=True, text=True).stdout
    return [nx.from_graph6_bytes(line.encode()) for line in out.split()]


def main():
    graphs = [nx.empty_graph(0)]
    for n in range(1, 7):
        graphs += geng(n)
    graphs += [
        nx.path_graph(4),
        nx.star_graph(5),  # a centre and 5 leaves
        nx.petersen_graph(),
        nx.cycle_graph(10),
        nx.complete_graph(8),
        nx.empty_graph(3),
        nx.disjoint_union(nx.cycle_graph(5), nx.path_graph(3)),
        nx.star_graph(31),
    ]
    rng = random.Random(20261207)
    for n, p in ((12, 0.3), (20, 0.15), (20, 0.5), (32, 0.1), (32, 0.3), (32, 0.8)):
        for _ in range(3):
            graphs.append(nx.gnp_random_graph(n, p, seed=rng.randrange(1 << 30)))

    with open(OUT, "w") as f:
        f.write("# written by tests/generators/penalties_reference.py (networkx %s)\n" % nx.__version__)
        f.write("# graph\tn\tm\tconn\tconnbar\tchem\tdm_le\tdm_eq\tdm_ge\tdi_le\tdi_eq\tdi_ge\treg2\treg3\n")
        for g in graphs:
            g = nx.convert_node_labels_to_integers(g)
            values = [
                g.number_of_nodes(),
                g.number_of_edges(),
                extra_components(g),
                extra_components(nx.complement(g)),
                chemical(g),
                degmax(g, 3, -1),
                degmax(g, 3, 0),
                degmax(g, 3, 1),
                diameter(g, 2, -1),
                diameter(g, 2, 0),
                diameter(g, 2, 1),
                regular(g, 2),
                regular(g, 3),
            ]
            f.write(graph_string(g) + "\t" + "\t".join(fmt(v) for v in values) + "\n")


if __name__ == "__main__":
    main()
