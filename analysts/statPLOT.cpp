#include "analysts/statPLOT.h"

#include "analysts/plotDisplay.h"

namespace
{
// A row or a column, of no entries too (the degrees of the graph on 0 vertices), but not a value.
bool isVector(int r, int c)
{
    return (r == 1 || c == 1) && !(r == 1 && c == 1) && r >= 0 && c >= 0;
}
} // namespace

statPLOT::statPLOT(bool display)
{
    name = QStringLiteral("PLOT");
    withDisplay = display;
    argSlots = 2;
    if (withDisplay) {
        placeAtRandom(100, 100);
        initDisplay(new plotDisplay(name), false);
    }
    latexDef = QStringLiteral("Provides a graphical representation of 2 vectors as 2D-Plot.");
    textDef = latexDef;
}

void statPLOT::recompute()
{
    if (!arg1 || !arg2) {
        saveTooltip(QStringLiteral("2 Arguments needed"));
        setFailed();
        return;
    }
    const int r1 = arg1->rows, c1 = arg1->cols;
    const int r2 = arg2->rows, c2 = arg2->cols;
    // A value as argument 2 passes here and fails on its size below.
    if (!isVector(r1, c1) || (c2 != 1 && r2 != 1) || r2 < 0 || c2 < 0) {
        saveTooltip(QStringLiteral("Vector arguments needed"));
        setFailed();
        return;
    }
    if (c1 != c2 || r1 != r2) {
        saveTooltip(QStringLiteral("Arguments size differ"));
        setFailed();
        return;
    }
    saveTooltip(QStringLiteral("PLOT"));
    cols = 2;
    if (c1 == 1) {
        rows = r1;
        for (int i = 0; i < r1; ++i) {
            M[i][0] = arg1->M[i][0];
            M[i][1] = arg2->M[i][0];
        }
    } else {
        rows = c1;
        for (int i = 0; i < c1; ++i) {
            M[i][0] = arg1->M[0][i];
            M[i][1] = arg2->M[0][i];
        }
    }
}
