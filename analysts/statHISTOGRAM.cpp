#include "analysts/statHISTOGRAM.h"

#include "analysts/histoDisplay.h"

statHISTOGRAM::statHISTOGRAM(bool display)
{
    name = QStringLiteral("HISTOGRAM");
    withDisplay = display;
    argSlots = 1;
    if (withDisplay) {
        placeAtRandom(100, 100);
        initDisplay(new histoDisplay(name), false);
    }
    latexDef = QStringLiteral("Provides a graphical representation of a vector by a histogram.");
    textDef = latexDef;
}

void statHISTOGRAM::recompute()
{
    if (!arg1) {
        saveTooltip(QStringLiteral("Argument needed"));
        setFailed();
        return;
    }
    const int r = arg1->rows;
    const int c = arg1->cols;
    // A vector of no entries (the degrees of the graph on 0 vertices) is a vector all the same:
    // its histogram is empty.
    if ((c != 1 && r != 1) || (r == 1 && c == 1) || r < 0 || c < 0) {
        saveTooltip(QStringLiteral("Vector arguments needed"));
        setFailed();
        return;
    }
    saveTooltip(QStringLiteral("HISTOGRAM"));
    cols = 1;
    if (c == 1) {
        rows = r;
        for (int i = 0; i < r; ++i)
            M[i][0] = arg1->M[i][0];
    } else {
        rows = c;
        for (int i = 0; i < c; ++i)
            M[i][0] = arg1->M[0][i];
    }
}
