#include "problem/Eval.h"

#include <cmath>

namespace
{
const double kUnavailable = 1e12;
const double kTolerance = 1e-6;

template <typename List> void emptyList(List &list)
{
    // An unshared list is emptied in place so that refilling it allocates nothing; a list
    // that a kept copy still shares is simply let go.
    if (list.isDetached())
        list.erase(list.begin(), list.end());
    else
        list = List();
}

// An empty container goes back to Qt's static empty block, which no write ever touches.
template <typename Container> void detachContainer(Container &c)
{
    if (c.isEmpty())
        c = Container();
    else
        c.detach();
}

template <typename Container> bool ownsStorage(const Container &c)
{
    return c.isEmpty() || c.isDetached();
}
} // namespace

Eval::Eval(const Eval *other)
{
    if (other)
        copy(other);
}

void Eval::copy(const Eval *other)
{
    if (!other) {
        clear();
        return;
    }
    if (other == this)
        return;
    values = other->values;
    objectives = other->objectives;
}

void Eval::clear()
{
    emptyList(values);
    clearZ();
}

void Eval::clearZ()
{
    emptyList(objectives);
}

void Eval::refill(int count)
{
    emptyList(values);
    count = qMax(0, count);
    if (!objectives.isDetached())
        objectives = QList<QVector<double>>();
    while (objectives.size() > count)
        objectives.removeLast();
    while (objectives.size() < count)
        objectives.append(QVector<double>());
}

void Eval::detach()
{
    detachContainer(values);
    detachContainer(objectives);
    for (QVector<double> &z : objectives)
        detachContainer(z);
}

bool Eval::isDetached() const
{
    if (!ownsStorage(values) || !ownsStorage(objectives))
        return false;
    for (const QVector<double> &z : objectives)
        if (!ownsStorage(z))
            return false;
    return true;
}

void Eval::push_front(double v)
{
    values.prepend(v);
}

void Eval::push_back(double v)
{
    values.append(v);
}

void Eval::addZ(const QVector<double> &v)
{
    objectives.append(v);
}

double Eval::value(int i) const
{
    if (i < 0 || i >= values.size())
        return kUnavailable;
    return values.at(i);
}

const QVector<double> &Eval::z(int i) const
{
    if (i < 0 || i >= objectives.size())
        return emptyZ;
    return objectives.at(i);
}

QVector<double> &Eval::z(int i)
{
    if (i < 0 || i >= objectives.size()) {
        // Whatever a caller wrote into the empty vector last time is gone.
        emptyZ.clear();
        return emptyZ;
    }
    return objectives[i];
}

double Eval::zvalue(int i) const
{
    if (i < 0 || i >= objectives.size() || objectives.at(i).isEmpty())
        return kUnavailable;
    return objectives.at(i).at(0);
}

bool Eval::violated() const
{
    // A value that is not a number comes from a computation that failed: it must never
    // pass for a satisfied requirement.
    for (int i = values.size() - 1; i >= 0; --i) {
        const double v = values.at(i);
        if (v > kTolerance || std::isnan(v))
            return true;
    }
    return false;
}

QString Eval::display() const
{
    QString s;
    for (const QVector<double> &o : objectives) {
        s += QLatin1Char('<');
        for (double v : o) {
            s += QString::number(v, 'g', 6);
            s += QLatin1Char(' ');
        }
        s += QLatin1Char('>');
    }
    for (double v : values) {
        s += QLatin1Char('[');
        s += QString::number(v, 'g', 6);
        s += QLatin1Char(']');
    }
    return s;
}
