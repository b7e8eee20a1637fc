#!/usr/bin/python3
"""Reference data for the isomorphism test.

Needs Debian's python3-networkx, python3-numpy and nauty (nauty-geng).
Run:  /usr/bin/python3 tests/generators/isomorphism_reference.py

Writes, under tests/data/:
  isomorphism_named.txt      name <TAB> graph string, for named graphs built by networkx
  isomorphism_cospectral.txt n <TAB> graph string <TAB> graph string: pairs of graphs on 7, 8
                             and 9 vertices from nauty-geng with the same number of edges and
                             the same adjacency spectrum (numpy, to 1e-7) that networkx says are
                             not isomorphic; at most 12 pairs per order, taken in geng's order.
A graph string is the order, a blank, then one 0/1 per pair (1,0),(2,0),(2,1),(3,0),...
"""

import os
import subprocess

import networkx as nx
import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")
PAIRS_PER_ORDER = 12


def graph_string(g):
    g = nx.convert_node_labels_to_integers(g)
    n = g.number_of_nodes()
    bits = []
    for i in range(1, n):
        for j in range(i):
            bits.append("1" if g.has_edge(i, j) else "0")
    return "%d %s" % (n, "".join(bits))


def named():
    graphs = [
        ("petersen", nx.petersen_graph()),
        ("heawood", nx.heawood_graph()),
        ("cube", nx.cubical_graph()),
        ("moebius-kantor", nx.moebius_kantor_graph()),
        ("dodecahedron", nx.dodecahedral_graph()),
        ("hypercube 5", nx.hypercube_graph(5)),
    ]
    with open(os.path.join(DATA, "isomorphism_named.txt"), "w") as out:
        out.write("# name <TAB> graph string; graphs built by networkx %s\n" % nx.__version__)
        for name, g in graphs:
            out.write("%s\t%s\n" % (name, graph_string(g)))


def cospectral(n):
    lines = subprocess.run(["nauty-geng", "-q", str(n)], check=True,
                           stdout=subprocess.PIPE).stdout.split()
    graphs = [nx.from_graph6_bytes(l) for l in lines]
    mats = np.array([nx.to_numpy_array(g, nodelist=range(n)) for g in graphs])
    spectra = np.linalg.eigvalsh(mats)
    groups = {}
    for k, g in enumerate(graphs):
        key = (g.number_of_edges(), tuple(np.round(spectra[k], 7)))
        groups.setdefault(key, []).append(k)
    pairs = []
    for key in sorted(groups, key=lambda k: groups[k][0]):
        members = groups[key]
        for a in range(len(members)):
            for b in range(a + 1, len(members)):
                ga, gb = graphs[members[a]], graphs[members[b]]
                if np.max(np.abs(spectra[members[a]] - spectra[members[b]])) > 1e-7:
                    continue
                if not nx.is_isomorphic(ga, gb):
                    pairs.append((ga, gb))
                    break
            if len(pairs) >= PAIRS_PER_ORDER:
                return pairs
    return pairs


def main():
    named()
    with open(os.path.join(DATA, "isomorphism_cospectral.txt"), "w") as out:
        out.write("# n <TAB> graph string <TAB> graph string: cospectral, not isomorphic "
                  "(nauty-geng graphs, numpy spectra, networkx isomorphism test)\n")
        for n in (7, 8, 9):
            for ga, gb in cospectral(n):
                out.write("%d\t%s\t%s\n" % (n, graph_string(ga), graph_string(gb)))


if __name__ == "__main__":
    main()
