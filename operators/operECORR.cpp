#include "operators/operECORR.h"

#include "invariants/InvariantKit.h"

#include <cmath>

operECORR::operECORR(bool withDisplay) : OperatorFrame(1), xValues(1024, 0.0), yValues(1024, 0.0)
{
    const QString text = QStringLiteral("Edge correlation coefficient.");
    setUp(QStringLiteral("ECORR"), withDisplay, text, text);
    sRows = sCols = QStringLiteral("1");
}

void operECORR::recompute()
{
    quint32 adjacency[32];
    const int n = InvariantKit::readRows(graph, adjacency);
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing arguments"), false);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), false);
        return;
    }
    if (a->cols != 1 || a->rows != n) {
        fail(QStringLiteral("COLUMN VECTOR NEEDED WITH n ENTRIES"), false);
        return;
    }
    saveTooltip(QStringLiteral("ECORR"));
    rows = cols = 1;
    double *x = xValues.data();
    double *y = yValues.data();
    int k = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (adjacency[i] & (1u << j)) {
                x[k] = a->M[i][0];
                y[k] = a->M[j][0];
                ++k;
            }
    double sxx = 0.0, syy = 0.0;
    if (k > 0) {
        double mx = 0.0, my = 0.0;
        for (int t = 0; t < k; ++t) {
            mx += x[t] / k;
            my += y[t] / k;
        }
        for (int t = 0; t < k; ++t) {
            x[t] -= mx;
            y[t] -= my;
            sxx += x[t] * x[t];
            syy += y[t] * y[t];
        }
    }
    const double d = std::sqrt(syy * sxx);
    if (d < 1e-6) {
        M[0][0] = 1.0;
        error = true;
        return;
    }
    double r = 0.0;
    for (int t = 0; t < k; ++t)
        r += x[t] * y[t] / d;
    if (r < -0.999999)
        r = -1.0;
    if (r > 0.999999)
        r = 1.0;
    M[0][0] = r;
}
