#pragma once

#include <QList>
#include <QString>
#include <QVector>

// The evaluation of one graph against a problem: the violation values (most significant
// first; a value above 1e-6 is a violation) and one objective vector per objective item.
//
// Copies share their storage (Qt implicit sharing), and a record that is refilled keeps its
// allocation while nobody else holds a copy of it. Qt tells whether a block is shared from a
// relaxed read of its count, which orders nothing: a record handed to another thread must
// therefore be given storage of its own (detach()), or its owner could refill in place a block
// the other thread has just read.
class Eval
{
public:
    Eval() = default;
    explicit Eval(const Eval *other);
    Eval(const Eval &other) = default;
    Eval &operator=(const Eval &other) = default;
    ~Eval() = default;

    // Makes this record equal to other (a record copied onto itself is left as it is).
    void copy(const Eval *other);
    // Empties the values and the objective vectors.
    void clear();
    // Empties the objective vectors; the values stay.
    void clearZ();
    // Empties the values and leaves count objective vectors for the caller to overwrite, reusing
    // the storage no copy shares, so that refilling a record nobody kept allocates nothing.
    void refill(int count);
    // Gives the record storage shared with no other record.
    void detach();
    // True when no other record shares the record's storage.
    bool isDetached() const;

    void push_front(double v);
    void push_back(double v);
    void addZ(const QVector<double> &v);

    int size() const { return values.size(); }
    // Value i, or 1e12 when i lies outside the values.
    double value(int i) const;

    int sizeZ() const { return objectives.size(); }
    QList<QVector<double>> &z() { return objectives; }
    const QList<QVector<double>> &z() const { return objectives; }
    // Objective vector i, or an empty vector when i lies outside.
    const QVector<double> &z(int i) const;
    QVector<double> &z(int i);
    // First component of objective vector i, or 1e12 when there is none.
    double zvalue(int i) const;

    // True when some value exceeds 1e-6 or is not a number.
    bool violated() const;

    // "<z0 z1 ><...>[v0][v1]..." with every number in 'g' format, 6 significant digits.
    QString display() const;

private:
    QList<double> values;
    QList<QVector<double>> objectives;
    QVector<double> emptyZ;
};
