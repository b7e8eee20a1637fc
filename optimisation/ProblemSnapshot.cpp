#include "optimisation/ProblemSnapshot.h"

#include "graph/Graph.h"
#include "problem/Problem.h"

ProblemSnapshot ProblemSnapshot::take(Problem *problem, Graph *graph)
{
    ProblemSnapshot s;
    if (graph)
        s.graph = graph->currentGraphData();
    if (!problem)
        return s;
    s.withProblem = true;
    s.text = problem->saveString();
    s.regular = problem->getRegular();
    s.regDegree = problem->getRegDegree();
    s.degmax = problem->getDegmax();
    s.degmaxType = problem->getDegmaxType();
    s.degmaxValue = problem->getDegmaxValue();
    s.diameter = problem->getDiameter();
    s.diameterValue = problem->getDiameterValue();
    s.diameterType = problem->getDiameterType();
    s.connected = problem->getConnected();
    s.chemical = problem->getChemical();
    s.connectedBar = problem->getConnectedBar();
    s.fixNbArcs = problem->getFixNbArcs();
    s.nbArcs = problem->getNbArcs();
    s.nbNod = problem->getNbNod();
    return s;
}

bool ProblemSnapshot::applyTo(Problem *target) const
{
    if (!withProblem || !target)
        return false;
    const bool read = target->openString(text);
    target->setRegular(regular);
    target->setRegDegree(regDegree);
    target->setDegmax(degmax);
    target->setDegmaxIntType(degmaxType);
    target->setDegmaxValue(degmaxValue);
    target->setDiameter(diameter);
    target->setDiameterValue(diameterValue);
    target->setDiameterIntType(diameterType);
    target->setConnected(connected);
    target->setChemical(chemical);
    target->setConnectedBar(connectedBar);
    // setRegular(true) switches the edge count on; the user's own switch wins here.
    target->setFixNbArcs(fixNbArcs);
    target->setNbArcs(nbArcs);
    target->setNbNod(nbNod);
    return read;
}
