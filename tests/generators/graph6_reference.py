#!/usr/bin/python3
"""Reference data for the graph6 reader and the graph string.

Run with Debian's interpreter (it has networkx):  /usr/bin/python3 tests/generators/graph6_reference.py

Writes, under tests/data/:
  graph6_geng.txt    every graph that nauty-geng writes for n = 1..7, one per line:
                     graph6 line <TAB> graph string <TAB> edge list "i-j,i-j,..." (i < j)
                     The edge set comes from networkx's graph6 reader; the graph string is
                     built here from that edge set ("n", blank, the pairs (1,0),(2,0),(2,1),...).
  graph6_large.txt   the same columns for seeded random graphs on 8..32 vertices, written by
                     networkx's graph6 writer and read back by its reader.
  graph6_geng_header_4.g6   nauty-geng's output for n = 4 with its ">>graph6<<" header,
                     exactly as geng writes it (the 11 graphs on 4 vertices).
"""

import os
import random
import subprocess
import sys

import networkx as nx

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")


def graph_string(n, edges):
    pairs = set(edges)
    bits = []
    for i in range(1, n):
        for j in range(i):
            bits.append("1" if (j, i) in pairs else "0")
    return "%d %s" % (n, "".join(bits))


def row(line, g):
    n = g.number_of_nodes()
    edges = sorted((min(u, v), max(u, v)) for u, v in g.edges())
    edge_text = ",".join("%d-%d" % e for e in edges)
    return "%s\t%s\t%s" % (line, graph_string(n, edges), edge_text)


def geng(n, header=False):
    args = ["nauty-geng", "-q"]
    if header:
        args[1] = "-hq"
    out = subprocess.run(args + [str(n)], check=True, stdout=subprocess.PIPE).stdout
    return out


def main():
    rows = ["# graph6 <TAB> graph string <TAB> edges; all graphs of nauty-geng for n = 1..7, "
            "edges from networkx %s's graph6 reader" % nx.__version__]
    for n in range(1, 8):
        for line in geng(n).decode("ascii").split("\n"):
            if not line:
                continue
            g = nx.from_graph6_bytes(line.encode("ascii"))
            assert g.number_of_nodes() == n
            rows.append(row(line, g))
    with open(os.path.join(DATA, "graph6_geng.txt"), "w") as f:
        f.write("\n".join(rows) + "\n")

    rnd = random.Random(20240611)
    rows = ["# graph6 <TAB> graph string <TAB> edges; seeded random graphs written by networkx's "
            "graph6 writer and read back by its reader"]
    for n in list(range(8, 33)) + [31, 32, 32, 32]:
        p = rnd.choice([0.1, 0.3, 0.5, 0.7, 0.9])
        g = nx.gnp_random_graph(n, p, seed=rnd.randrange(1 << 30))
        line = nx.to_graph6_bytes(g, header=False).decode("ascii").strip()
        back = nx.from_graph6_bytes(line.encode("ascii"))
        assert sorted(back.edges()) == sorted(g.edges())
        rows.append(row(line, back))
    # The empty and the complete graph on 32 vertices.
    for g in (nx.empty_graph(32), nx.complete_graph(32)):
        line = nx.to_graph6_bytes(g, header=False).decode("ascii").strip()
        rows.append(row(line, nx.from_graph6_bytes(line.encode("ascii"))))
    with open(os.path.join(DATA, "graph6_large.txt"), "w") as f:
        f.write("\n".join(rows) + "\n")

    with open(os.path.join(DATA, "graph6_geng_header_4.g6"), "wb") as f:
        f.write(geng(4, header=True))
    return 0


if __name__ == "__main__":
    sys.exit(main())
