#include "optimisation/SignatureTables.h"

const int SignatureTables::quadPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
const int SignatureTables::quintPairs[10][2] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2},
                                                {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};

namespace
{

int bitCount(int v)
{
    int c = 0;
    for (unsigned u = static_cast<unsigned>(v); u != 0; u &= u - 1)
        ++c;
    return c;
}

// Entry c lists, in ascending order, every d != c of the same class; classes are given by a key
// per signature, so building costs one pass per entry instead of one comparison per pair.
SignatureTables::Table buildTable(const QVector<int> &key)
{
    const int codes = key.size();
    SignatureTables::Table table;
    table.reserve(codes);
    for (int c = 0; c < codes; ++c) {
        QVector<int> entry;
        for (int d = 0; d < codes; ++d)
            if (d != c && key[d] == key[c])
                entry.append(d);
        entry.squeeze();
        table.append(entry);
    }
    return table;
}

int degreeKey(int code)
{
    int degrees[5];
    SignatureTables::quintDegrees(code, degrees);
    int key = 0;
    for (int p = 0; p < 5; ++p)
        key = key * 8 + degrees[p];
    return key;
}

// The tables never change: each is built once per process and shared (read-only) by the workers.
const SignatureTables::Table &sharedTable(int which)
{
    static const SignatureTables::Table tables[3] = {
        [] {
            QVector<int> key(64);
            for (int c = 0; c < 64; ++c)
                key[c] = bitCount(c);
            return buildTable(key);
        }(),
        [] {
            QVector<int> key(1024);
            for (int c = 0; c < 1024; ++c)
                key[c] = bitCount(c);
            return buildTable(key);
        }(),
        [] {
            QVector<int> key(1024);
            for (int c = 0; c < 1024; ++c)
                key[c] = degreeKey(c);
            return buildTable(key);
        }(),
    };
    return tables[which];
}

} // namespace

SignatureTables::Table SignatureTables::buildQuadSize()
{
    return sharedTable(0);
}

SignatureTables::Table SignatureTables::buildQuintSize()
{
    return sharedTable(1);
}

SignatureTables::Table SignatureTables::buildQuintReg()
{
    return sharedTable(2);
}

bool SignatureTables::eqQuadSize(int a, int b)
{
    return bitCount(a & 63) == bitCount(b & 63);
}

bool SignatureTables::eqQuintSize(int a, int b)
{
    return bitCount(a & 1023) == bitCount(b & 1023);
}

void SignatureTables::quintDegrees(int code, int degrees[5])
{
    for (int p = 0; p < 5; ++p)
        degrees[p] = 0;
    for (int b = 0; b < 10; ++b)
        if (code & (1 << b)) {
            ++degrees[quintPairs[b][0]];
            ++degrees[quintPairs[b][1]];
        }
}

bool SignatureTables::eqQuintDeg(int a, int b)
{
    int da[5], db[5];
    quintDegrees(a, da);
    quintDegrees(b, db);
    for (int p = 0; p < 5; ++p)
        if (da[p] != db[p])
            return false;
    return true;
}

int SignatureTables::quadSignature(const quint32 *rows, const int *v)
{
    int code = 0;
    for (int b = 0; b < 6; ++b)
        if (rows[v[quadPairs[b][0]]] & (1u << v[quadPairs[b][1]]))
            code |= 1 << b;
    return code;
}

int SignatureTables::quintSignature(const quint32 *rows, const int *v)
{
    int code = 0;
    for (int b = 0; b < 10; ++b)
        if (rows[v[quintPairs[b][0]]] & (1u << v[quintPairs[b][1]]))
            code |= 1 << b;
    return code;
}
