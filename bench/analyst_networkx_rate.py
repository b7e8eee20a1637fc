#!/usr/bin/python3
"""The rate at which networkx and numpy compute what bench_analyst's Graph-Analyst update computes:
the Wiener index, the Randic index and the largest adjacency eigenvalue of every connected graph
on n vertices (nauty-geng -c n), read from graph6 lines.

Run with Debian's interpreter (needs nauty, python3-networkx, python3-numpy):
    /usr/bin/python3 bench/analyst_networkx_rate.py [n] [limit]

Prints the number of graphs, the seconds taken and the graphs per second; with a limit, only the
first `limit` graphs are timed.
"""

import math
import subprocess
import sys
import time

import networkx as nx
import numpy as np


def main():
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 9
    limit = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    out = subprocess.run(["nauty-geng", "-c", "-q", str(n)], check=True, capture_output=True).stdout
    lines = out.split(b"\n")
    lines = [l for l in lines if l]
    if limit > 0:
        lines = lines[:limit]
    start = time.perf_counter()
    rows = []
    for line in lines:
        g = nx.from_graph6_bytes(line)
        wiener = nx.wiener_index(g)
        randic = sum(1.0 / math.sqrt(g.degree(u) * g.degree(v)) for u, v in g.edges())
        lam = np.linalg.eigvalsh(nx.to_numpy_array(g))[-1]
        rows.append((wiener, randic, lam))
    seconds = time.perf_counter() - start
    print("graphs %d  seconds %.2f  graphs_per_s %.0f" % (len(rows), seconds, len(rows) / seconds))


if __name__ == "__main__":
    main()
