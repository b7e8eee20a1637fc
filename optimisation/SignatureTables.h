#pragma once

#include <QVector>
#include <QtGlobal>

// Signatures of small induced subgraphs and the tables of signatures that keep something.
//
// A quad is an ordered tuple of 4 distinct vertices; its signature has one bit per pair of
// positions, in lexicographic order: 0-1, 0-2, 0-3, 1-2, 1-3, 2-3 (bits 0..5). A quint has 5
// positions and 10 bits: 0-1, 0-2, 0-3, 0-4, 1-2, 1-3, 1-4, 2-3, 2-4, 3-4.
//
// quadSize / quintSize list, per signature, every other signature with the same number of edges;
// quintReg lists every other signature that gives each of the five positions the same degree.
// Rewriting a tuple to a listed signature therefore keeps the edge count, or every degree.
class SignatureTables
{
public:
    typedef QVector<QVector<int>> Table;

    // Positions of the pair of bit b.
    static const int quadPairs[6][2];
    static const int quintPairs[10][2];

    // The tables are built once per process; these return shared, read-only copies.
    static Table buildQuadSize();
    static Table buildQuintSize();
    static Table buildQuintReg();

    // Same number of set bits among bits 0..5 (quad) or 0..9 (quint); higher bits are ignored.
    static bool eqQuadSize(int a, int b);
    static bool eqQuintSize(int a, int b);
    // Same degree at each of the five positions.
    static bool eqQuintDeg(int a, int b);
    // Degrees of the five positions of a quint signature.
    static void quintDegrees(int code, int degrees[5]);

    // Signatures of a tuple read from adjacency rows (bit j of rows[i] set when i-j is an edge).
    static int quadSignature(const quint32 *rows, const int *v);
    static int quintSignature(const quint32 *rows, const int *v);
};
