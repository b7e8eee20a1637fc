#!/usr/bin/python3
"""Reference values for the exact searches and the tree family recognisers.

Writes
  tests/data/exact_small.txt    every graph on 1 to 8 vertices, in nauty-geng's order
  tests/data/exact_random.txt   fixed random graphs on 9 to 32 vertices, random trees and
                                randomly relabelled members of the tree families on 9 to 32
                                vertices, and named graphs

Run from the repository root with Debian's python3, python3-networkx and nauty (nauty-geng):
  /usr/bin/python3 tests/generators/exact_reference.py

One graph per line (lines starting with '#' are comments):
  <graph6> <kappa> <alpha> <gamma> <families>
  kappa     vertex connectivity (networkx node_connectivity)
  alpha     stability number (clique number of the complement, networkx find_cliques)
  gamma     domination number (the smallest k for which some k-set dominates, by enumeration),
            '-' where the enumeration would be too long
  families  seven characters 0/1 for TREE PATH STAR SPIDER CATERPILLAR LOBSTER COMET, each
            decided from the textbook definition; '-' for orders below 2
kappa and alpha are '-' for orders below 2.

Definitions used for the families (all on trees of at least two vertices):
  PATH         maximum degree at most 2
  STAR         a vertex adjacent to all others
  SPIDER       at least three vertices and at most one vertex of degree 3 or more
  CATERPILLAR  deleting the leaves leaves a path (or nothing)
  LOBSTER      deleting the leaves leaves a caterpillar (or nothing)
  COMET        exactly one vertex c of degree 3 or more, and exactly one component of the tree
               without c has two vertices or more
"""

import itertools
import os
import random
import subprocess
import sys

import networkx as nx

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DATA = os.path.join(ROOT, "tests", "data")


def without_leaves(t):
    h = t.copy()
    h.remove_nodes_from([v for v in t if t.degree(v) <= 1])
    return h


def is_path_tree(t):
    return nx.is_tree(t) and max(d for _, d in t.degree()) <= 2


def is_caterpillar(t):
    h = without_leaves(t)
    return h.number_of_nodes() == 0 or is_path_tree(h)


def families(g):
    n = g.number_of_nodes()
    if n < 2:
        return "-"
    if not nx.is_tree(g):
        return "0000000"
    deg = dict(g.degree())
    tree = True
    path = max(deg.values()) <= 2
    star = max(deg.values()) == n - 1
    big = [v for v in g if deg[v] >= 3]
    spider = n >= 3 and len(big) <= 1
    caterpillar = is_caterpillar(g)
    h = without_leaves(g)
    lobster = h.number_of_nodes() == 0 or is_caterpillar(h)
    comet = False
    if len(big) == 1:
        rest = g.copy()
        rest.remove_node(big[0])
        long_legs = [c for c in nx.connected_components(rest) if len(c) >= 2]
        comet = len(long_legs) == 1
    return "".join("1" if f else "0" for f in (tree, path, star, spider, caterpillar, lobster, comet))


def domination(g, limit):
    n = g.number_of_nodes()
    if n == 0:
        return "0"
    closed = [set(g[v]) | {v} for v in range(n)]
    everyone = set(range(n))
    for k in range(1, n + 1):
        if k > limit:
            return "-"
        for s in itertools.combinations(range(n), k):
            if set().union(*(closed[v] for v in s)) == everyone:
                return str(k)
    return str(n)


def line(g, gamma_limit=32):
    g = nx.convert_node_labels_to_integers(g)
    n = g.number_of_nodes()
    g6 = nx.to_graph6_bytes(g, header=False).decode().strip()
    if n < 2:
        kappa = alpha = "-"
    else:
        kappa = str(nx.node_connectivity(g))
        alpha = str(max(len(c) for c in nx.find_cliques(nx.complement(g))))
    return "%s %s %s %s %s" % (g6, kappa, alpha, domination(g, gamma_limit), families(g))


def relabelled(g, rng):
    nodes = list(g.nodes())
    perm = nodes[:]
    rng.shuffle(perm)
    return nx.relabel_nodes(g, dict(zip(nodes, perm)))


def random_tree(n, rng):
    if n == 2:
        return nx.path_graph(2)
    return nx.from_prufer_sequence([rng.randrange(n) for _ in range(n - 2)])


def spine_with_hairs(spine, hairs, depth, rng):
    """A path of `spine` vertices with `hairs` legs of 1..depth edges hung on random spine vertices."""
    g = nx.path_graph(spine)
    nxt = spine
    for _ in range(hairs):
        at = rng.randrange(spine)
        for _ in range(rng.randint(1, depth)):
            g.add_edge(at, nxt)
            at = nxt
            nxt += 1
    return g


def spider(legs, rng, one_long=False):
    g = nx.Graph()
    g.add_node(0)
    nxt = 1
    lengths = [1] * legs
    if one_long:
        lengths[rng.randrange(legs)] = rng.randint(2, 6)
    else:
        lengths = [rng.randint(1, 4) for _ in range(legs)]
    for length in lengths:
        at = 0
        for _ in range(length):
            g.add_edge(at, nxt)
            at = nxt
            nxt += 1
    return g


def small_lines():
    out = ["# every graph on 1 to 8 vertices (nauty-geng), see tests/generators/exact_reference.py"]
    for n in range(1, 9):
        text = subprocess.run(["nauty-geng", "-q", str(n)], check=True, capture_output=True, text=True).stdout
        for g6 in text.split():
            out.append(line(nx.from_graph6_bytes(g6.encode())))
    return out


def random_lines():
    rng = random.Random(20261207)
    out = ["# fixed random graphs, trees, family members and named graphs, see tests/generators/exact_reference.py"]
    for n in range(9, 33):
        for p in (0.15, 0.3, 0.5, 0.7, 0.9):
            for _ in range(2 if n <= 14 else 1):
                g = nx.gnp_random_graph(n, p, seed=rng.randrange(1 << 30))
                out.append(line(g, gamma_limit=6 if n > 20 else 32))
    for n in range(9, 33, 2):
        out.append(line(relabelled(random_tree(n, rng), rng), gamma_limit=7))
        out.append(line(relabelled(spine_with_hairs(max(2, n // 3), n // 3, 1, rng), rng), gamma_limit=7))
        out.append(line(relabelled(spine_with_hairs(max(2, n // 4), n // 4, 2, rng), rng), gamma_limit=7))
        out.append(line(relabelled(spine_with_hairs(max(2, n // 4), n // 4, 3, rng), rng), gamma_limit=7))
        out.append(line(relabelled(spider(3 + n % 5, rng), rng), gamma_limit=7))
        out.append(line(relabelled(spider(3 + n % 5, rng, one_long=True), rng), gamma_limit=7))
    named = [
        nx.petersen_graph(),
        nx.chvatal_graph(),
        nx.mycielski_graph(4),  # Groetzsch
        nx.mycielski_graph(5),
        nx.heawood_graph(),
        nx.dodecahedral_graph(),
        nx.hypercube_graph(5),
        nx.complete_multipartite_graph(3, 4, 5),
    ]
    for g in named:
        out.append(line(g, gamma_limit=8))
    return out


def write(name, lines):
    with open(os.path.join(DATA, name), "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    write("exact_small.txt", small_lines())
    write("exact_random.txt", random_lines())
    return 0


if __name__ == "__main__":
    sys.exit(main())
