#include "operators/operDPALINDROMIC.h"

#include <cmath>

operDPALINDROMIC::operDPALINDROMIC(bool withDisplay) : OperatorFrame(1)
{
    setUp(QStringLiteral("DPALINDROMIC"), withDisplay,
          QStringLiteral(
              "Distance to palindromicity of a vector. Sum of the absolute values of the differences "
              "between the first and last element, second and last second, etc."),
          QStringLiteral(
              "Distance to palindromicity of a vector.\n Sum of the absolute values of the differences "
              "between the first and last element, second and last second, etc."));
    sRows = sCols = QStringLiteral("1");
}

void operDPALINDROMIC::recompute()
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing argument"), false);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), false);
        return;
    }
    if (!isVector(a)) {
        fail(QStringLiteral("The argument should be a vector"), false);
        return;
    }
    if (isValue(a)) {
        fail(QStringLiteral("Argument 1 should be a vector"), false);
        return;
    }
    // A row and a column with the same entries are the same vector: each mirrored pair counts once.
    const bool row = a->rows == 1;
    const int n = row ? a->cols : a->rows;
    double s = 0.0;
    for (int i = 0; i < n / 2; ++i) {
        const double first = row ? a->M[0][i] : a->M[i][0];
        const double last = row ? a->M[0][n - 1 - i] : a->M[n - 1 - i][0];
        s += std::fabs(first - last);
    }
    saveTooltip(QStringLiteral("DPALINDROMIC"));
    rows = cols = 1;
    M[0][0] = s;
}
