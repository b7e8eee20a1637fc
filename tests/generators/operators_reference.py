#!/usr/bin/python3
"""Reference results of the operators with a standard meaning, computed with numpy, scipy and
networkx (Debian packages python3-numpy, python3-scipy, python3-networkx).

Writes tests/data/operators_reference.txt. Each data line is one case, fields separated by "|":

    keyword | label | graph | argument 1 | argument 2 | expected | tolerance

- graph: "-" (none needed), or "n:i-j;i-j;..." the order and the edges of the graph the item is
  computed on;
- arguments: "RxC:e,e,..." (entries row by row) or "-" for an unlinked argument;
- expected: "RxC:e,e,..." (a leading "!" when the item must also be flagged as in error), or
  "FAIL:<status text>" for a refused argument;
- tolerance: relative to max(1, |expected entry|).

EIGENVECTORS results are compared column by column up to sign; they are written only for
matrices whose eigenvalues are at least 0.05 apart, where each unit eigenvector is unique up to sign.
DETERMINANT and INERTIA are written only for matrices whose eigenvalues are either zero (below
1e-9 in magnitude) or at least 1e-3 away from it, so that the 1e-6 zero tolerance cannot matter.

Run from anywhere:
    /usr/bin/python3 tests/generators/operators_reference.py
"""

import os

import networkx as nx
import numpy as np
import scipy.linalg
import scipy.stats

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "data", "operators_reference.txt")

rng = np.random.default_rng(20261207)


def num(x):
    x = float(x)
    if x == int(x) and abs(x) < 1e15:
        return "%d" % int(x) if x != 0 or np.copysign(1, x) > 0 else "0"
    return "%.17g" % x


def layout(m):
    m = np.atleast_2d(np.asarray(m, dtype=float))
    return "%dx%d:" % m.shape + ",".join(num(x) for x in m.flatten())


def column(v):
    return np.asarray(v, dtype=float).reshape(-1, 1)


def row(v):
    return np.asarray(v, dtype=float).reshape(1, -1)


def graph_field(g):
    return "%d:" % g.number_of_nodes() + ";".join("%d-%d" % e for e in sorted(g.edges()))


lines = []


def case(keyword, label, args, expected, tol=1e-12, graph=None):
    a = [layout(x) if x is not None else "-" for x in args] + ["-"] * (2 - len(args))
    lines.append("|".join([keyword, label, graph_field(graph) if graph is not None else "-", a[0], a[1],
                           expected, "%g" % tol]))


def fail(text):
    return "FAIL:" + text


# ---- graphs of 1 to 32 vertices --------------------------------------------------------------
def random_connected(n, p, seed):
    for s in range(seed, seed + 1000):
        g = nx.gnp_random_graph(n, p, seed=s)
        if nx.is_connected(g):
            return g
    raise RuntimeError("no connected graph")


graphs = [
    ("K1", nx.empty_graph(1)),
    ("P2", nx.path_graph(2)),
    ("P3", nx.path_graph(3)),
    ("K3", nx.complete_graph(3)),
    ("star5", nx.star_graph(4)),
    ("C6", nx.cycle_graph(6)),
    ("Petersen", nx.petersen_graph()),
    ("K4_4", nx.complete_bipartite_graph(4, 4)),
    ("tree12", nx.random_labeled_tree(12, seed=3) if hasattr(nx, "random_labeled_tree")
     else nx.random_tree(12, seed=3)),
    ("gnp9", random_connected(9, 0.4, 11)),
    ("gnp16", random_connected(16, 0.3, 12)),
    ("gnp24", random_connected(24, 0.2, 13)),
    ("gnp32", random_connected(32, 0.15, 14)),
    ("Q5", nx.convert_node_labels_to_integers(nx.hypercube_graph(5))),
    ("P32", nx.path_graph(32)),
    ("two_K2", nx.disjoint_union(nx.complete_graph(2), nx.complete_graph(2))),
]


def matrices_of(g):
    a = nx.to_numpy_array(g, nodelist=range(g.number_of_nodes()))
    lap = np.diag(a.sum(axis=1)) - a
    out = [("adjacency", a), ("laplacian", lap)]
    if nx.is_connected(g):
        d = np.asarray(nx.floyd_warshall_numpy(g, nodelist=range(g.number_of_nodes())))
        out.append(("distances", d))
    return out


def spectral_cases(label, m):
    n = m.shape[0]
    if n < 2:
        for k, prefix in (("EIGENVECTORS", "EIGENVECTORS"), ("DETERMINANT", "DETERMINANT"),
                          ("INERTIA", "INERTIA"), ("CHOLESKY", "CHOLESKY"),
                          ("LAPLACIANOF", "LAPLACIANOF")):
            case(k, label, [m], fail(prefix + " needs a matrix as argument"))
        return
    vals, vecs = np.linalg.eigh(m)
    order = np.argsort(-vals, kind="stable")
    vals, vecs = vals[order], vecs[:, order]
    if n == 1 or np.min(np.abs(np.diff(vals))) >= 0.05:
        case("EIGENVECTORS", label, [m], layout(vecs), 1e-4)
    small = np.abs(vals)
    if np.all((small < 1e-9) | (small >= 1e-3)):
        if np.any(small < 1e-9):
            det = 0.0
            tol = 1e-12
        else:
            det = np.prod(vals)
            det_sp = scipy.linalg.det(m)
            assert abs(det - det_sp) <= 1e-6 * max(1.0, abs(det_sp))
            tol = min(1e-2, 1e-6 * n * max(1.0, 1.0 / small.min()))
        case("DETERMINANT", label, [m], layout([[det]]), tol)
        inertia = [np.sum(vals < -1e-6), np.sum(np.abs(vals) <= 1e-6), np.sum(vals > 1e-6)]
        case("INERTIA", label, [m], layout(row(inertia)))
    if vals.min() > 1e-6 * max(1.0, vals.max()):
        case("CHOLESKY", label, [m], layout(np.linalg.cholesky(m)), 1e-9)
    elif vals.min() < -1e-9 or abs(vals.min()) < 1e-9:
        case("CHOLESKY", label, [m], fail("CHOLESKY matrix not positive definite"))
    lap = np.diag(m.sum(axis=1) - np.diag(m)) - (m - np.diag(np.diag(m)))
    case("LAPLACIANOF", label, [m], layout(lap))


def reduction_cases(label, m):
    case("SUMROW", label, [m], layout(column(m.sum(axis=1))))
    case("SUMCOL", label, [m], layout(row(m.sum(axis=0))))
    case("MAXROW", label, [m], layout(column(m.max(axis=1))))
    case("MAXCOL", label, [m], layout(row(m.max(axis=0))))
    case("TRANSPOSE", label, [m], layout(m.T))


for gname, g in graphs:
    n = g.number_of_nodes()
    mats = matrices_of(g)
    for mname, m in mats:
        label = "%s_%s" % (gname, mname)
        spectral_cases(label, m)
        reduction_cases(label, m)
    a, lap = mats[0][1], mats[1][1]
    case("*", gname + "_adjacency_laplacian", [a, lap], layout(a @ lap))
    case("*", gname + "_adjacency_squared", [a, a], layout(a @ a))
    case("*", gname + "_adjacency_times_3", [a, [[3.0]]], layout(3 * a))
    deg = a.sum(axis=1)
    case("*", gname + "_degrees_outer", [column(deg), row(deg)], layout(np.outer(deg, deg)))
    case("*", gname + "_degrees_dot", [row(deg), column(deg)], layout([[deg @ deg]]))
    case("SUMPRODUCT", gname + "_adjacency_laplacian", [a, lap], layout([[np.sum(a * lap)]]))
    case("EUCLIDIANDIST", gname + "_adjacency_laplacian", [a, lap], layout([[np.linalg.norm(a - lap)]]), 1e-13)
    case("MANHATTANDIST", gname + "_adjacency_laplacian", [a, lap], layout([[np.abs(a - lap).sum()]]))
    case("SORT", gname + "_degrees_column", [column(deg)], layout(column(np.sort(deg)[::-1])))
    case("SORT", gname + "_degrees_row", [row(deg)], layout(row(np.sort(deg)[::-1])))
    if len(mats) > 2:
        d = mats[2][1]
        trans = d.sum(axis=1)
        case("*", gname + "_distances_adjacency", [d, a], layout(d @ a))
        case("EUCLIDIANDIST", gname + "_distances_adjacency", [d, a], layout([[np.linalg.norm(d - a)]]), 1e-13)
        case("MANHATTANDIST", gname + "_distances_adjacency", [d, a], layout([[np.abs(d - a).sum()]]))
        case("SORT", gname + "_transmissions", [column(trans)], layout(column(np.sort(trans)[::-1])))
        # Distance-weighted moments: transmissions with unit weights, degree weights by default.
        case("MOMENT", gname + "_degree_weights", [], layout(column(d @ deg)), graph=g)
        case("MOMENT", gname + "_unit_weights", [column(np.ones(n))], layout(column(d @ np.ones(n))), graph=g)
        if n >= 2:
            c = (deg @ trans) / np.sqrt((deg @ deg) * (trans @ trans))
            c = -1.0 if c < -0.999999 else (1.0 if c > 0.999999 else c)
            case("CORR", gname + "_degrees_transmissions", [column(deg), column(trans)], layout([[c]]), 1e-13)
    # Edge correlation: Pearson over both orientations of every edge.
    ends = [(u, v) for u, v in g.edges()] + [(v, u) for u, v in g.edges()]
    for vname, vec in (("degrees", deg), ("index", np.arange(1.0, n + 1))):
        if not ends:
            case("ECORR", gname + "_" + vname, [column(vec)], "!" + layout([[1.0]]), graph=g)
            continue
        x = np.array([vec[u] for u, v in ends])
        y = np.array([vec[v] for u, v in ends])
        if np.std(x) < 1e-9:
            case("ECORR", gname + "_" + vname, [column(vec)], "!" + layout([[1.0]]), graph=g)
            continue
        r = scipy.stats.pearsonr(x, y)[0]
        if vname == "degrees":
            assert abs(r - nx.degree_pearson_correlation_coefficient(g)) < 1e-9
        r = -1.0 if r < -0.999999 else (1.0 if r > 0.999999 else r)
        case("ECORR", gname + "_" + vname, [column(vec)], layout([[r]]), 1e-12, graph=g)
    if n >= 2 and deg.min() > 0:
        rt = np.where(a > 0, 1.0 / np.sqrt(np.outer(deg, deg)), 0.0)
        case("RANDICTYPE", gname + "_degrees", [column(deg)], layout(rt), 1e-14, graph=g)

# ---- fixed and random matrices ---------------------------------------------------------------
fixed = {
    "m2x3": np.array([[1.0, 5.0, 2.0], [4.0, 0.0, 7.0]]),
    "m3x4": np.arange(1.0, 13.0).reshape(3, 4) - 6.5,
    "signed4": np.array([[-3.5, 2.0, 0.25, -1.0], [0.0, -7.0, 3.0, 9.5], [1e-3, 2e5, -4e-2, 6.0],
                         [-2.0, -2.0, -2.0, -2.0]]),
}
for k in (1, 5, 17, 32):
    fixed["random_%dx%d" % (k, 32 // k if k < 32 else 7)] = rng.uniform(-10, 10, size=(k, 32 // k if k < 32 else 7))
for name, m in fixed.items():
    reduction_cases(name, m)
case("*", "m2x3_m3x4", [fixed["m2x3"], fixed["m3x4"]], layout(fixed["m2x3"] @ fixed["m3x4"]))
case("*", "m3x4_m2x3", [fixed["m3x4"], fixed["m2x3"]], fail("ARG SIZE DIFFER"))
case("*", "value_m3x4", [[[-0.5]], fixed["m3x4"]], layout(-0.5 * fixed["m3x4"]))
for n in (2, 3, 5, 8, 13, 21, 32):
    b = rng.uniform(-3, 3, size=(n, n))
    spd = b @ b.T + n * np.eye(n)
    s = rng.uniform(-5, 5, size=(n, n))
    sym = np.triu(s) + np.triu(s, 1).T
    spectral_cases("spd_%d" % n, spd)
    spectral_cases("symmetric_%d" % n, sym)
    c = rng.uniform(-4, 4, size=(n, 32 // n))
    e = rng.uniform(-4, 4, size=(32 // n, n))
    case("*", "random_%dx%d_%dx%d" % (n, 32 // n, 32 // n, n), [c, e], layout(c @ e), 1e-13)
    u = rng.uniform(-5, 5, size=n)
    v = rng.uniform(-5, 5, size=n)
    cr = (u @ v) / np.sqrt((u @ u) * (v @ v))
    case("CORR", "random_%d" % n, [column(u), column(v)], layout([[cr]]), 1e-13)
    case("CORR", "random_row_%d" % n, [row(u), row(v)], layout([[cr]]), 1e-13)
    case("SUMPRODUCT", "random_%dx%d" % (n, n), [spd, sym], layout([[np.sum(spd * sym)]]), 1e-13)
    case("EUCLIDIANDIST", "random_%d" % n, [column(u), column(v)], layout([[np.linalg.norm(u - v)]]), 1e-13)
    case("MANHATTANDIST", "random_%d" % n, [row(u), row(v)], layout([[np.abs(u - v).sum()]]), 1e-13)
    case("SORT", "random_%d" % n, [column(u)], layout(column(np.sort(u)[::-1])))
    case("SORT", "random_row_%d" % n, [row(v)], layout(row(np.sort(v)[::-1])))

with open(OUT, "w") as f:
    f.write("# Operator results computed with numpy/scipy/networkx by tests/generators/operators_reference.py\n")
    f.write("# keyword|label|graph|argument 1|argument 2|expected|tolerance\n")
    for line in lines:
        f.write(line + "\n")
print(len(lines), "cases written to", OUT)
