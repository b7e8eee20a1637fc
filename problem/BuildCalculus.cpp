#include "problem/BuildCalculus.h"

#include "analysts/StatisticsFactory.h"
#include "invariants/InvariantFactory.h"
#include "operators/OperatorFactory.h"
#include "problem/Calculus.h"
#include "problem/ProblemItemFactory.h"

#include <memory>

BuildCalculus::BuildCalculus()
{
    operators = QStringList{"CONSTANT",
                            "+",
                            "-",
                            "*",
                            ".*",
                            "/",
                            "ADDCOLS",
                            "ANGLE",
                            "ABS",
                            "CENTER",
                            "CEIL",
                            "CHOLESKY",
                            "COLUMN",
                            "CORR",
                            "DETERMINANT",
                            "DIAG",
                            "DPALINDROMIC",
                            "ECORR",
                            "EIGENVALUES",
                            "EIGENVECTORS",
                            "EUCLIDIANDIST",
                            "EXP",
                            "FLOOR",
                            "IFGE",
                            "INERTIA",
                            "LAPLACIANOF",
                            "MANHATTANDIST",
                            "MAX",
                            "MAXCOL",
                            "MAXROW",
                            "MIN",
                            "MMAX",
                            "MMIN",
                            "MOMENT",
                            "NBEQ",
                            "RANDICTYPE",
                            "SORT",
                            "SQRT",
                            "SUM",
                            "SUMCOL",
                            "SUMGE",
                            "SUMPRODUCT",
                            "SUMROW",
                            "TRANSPOSE",
                            "VALUE AT",
                            "VAR"};
    invariantsVal =
        QStringList{"BALABAN", "CLAWS",     "CHROMATIC", "DEGMAX",    "DEGMIN",  "DIAMETER", "DOMINATION",
                    "HARARY",  "KIRCHHOFF", "NCONN",     "ORDER",     "PENDING", "PLATT",    "RADIUS",
                    "RANDIC",  "SIZE",      "STABLEMAX", "TRIANGLES", "WIENER",  "ZAGREBM1", "ZAGREBM2"};
    invariantsVec =
        QStringList{"CENTRALITY",    "CUTCENTRALITY", "CHROMATICVAL", "DEGREES",   "DISTCLOSESTLEAF",
                    "DTRANSMISSION", "ECCENTRICITY",  "IINDEX",       "KCHERRIES", "NUMERO",
                    "ONEVEC",        "SUMDISTP",      "TRANSMISSION"};
    invariantsMat = QStringList{"ADJACENCY", "BETWEENNESS", "COMNEIGH",   "DISTANCES", "IDENTITY",
                                "LAPLACIAN", "MODULARITY",  "NLAPLACIAN", "ONEMAT",    "SLLAPLACIAN"};
    parameters = QStringList{"PARAM 1", "PARAM 2"};
    invariantsFam = QStringList{"CATERPILLAR", "COMET", "LOBSTER", "PATH", "SPIDER", "STAR", "TREE"};
    constraints = QStringList{"<", "<=", "==", ">=", ">"};
    all =
        invariantsVal + invariantsVec + invariantsMat + parameters + invariantsFam + operators + constraints;
    all << QStringLiteral("Z") << QStringLiteral("OBJECTIVE");
}

BuildCalculus::~BuildCalculus() = default;

const QStringList &BuildCalculus::unlistedInvariants()
{
    static const QStringList list{"DCENTRALITY",  "DCENTRALITY2",  "PELORAND",    "PELORAND2",
                                  "DBETWEENNESS", "DBETWEENNESS2", "NBETWEENNESS"};
    return list;
}

const QStringList &BuildCalculus::statisticsItems()
{
    return StatisticsFactory::keywords();
}

Calculus *BuildCalculus::makeStatisticsItem(const QString &keyword, bool withDisplay)
{
    return StatisticsFactory::make(keyword, withDisplay);
}

int BuildCalculus::type(const QString &keyword) const
{
    if (keyword == QLatin1String("Z") || keyword == QLatin1String("OBJECTIVE"))
        return 5;
    if (invariantsVal.contains(keyword) || invariantsVec.contains(keyword) ||
        invariantsMat.contains(keyword) || parameters.contains(keyword))
        return 1;
    if (invariantsFam.contains(keyword))
        return 2;
    if (operators.contains(keyword))
        return 3;
    if (constraints.contains(keyword))
        return 4;
    return 0;
}

Calculus *BuildCalculus::makeCalculus(const QString &keyword, bool withDisplay) const
{
    // Each keyword goes to the one library that owns its class; anything else (display items,
    // the statistics items, other letter cases) gives null.
    if (keyword == QLatin1String("Z") || keyword == QLatin1String("OBJECTIVE") ||
        keyword == QLatin1String("CONSTANT") || parameters.contains(keyword))
        return ProblemItemFactory::make(keyword, withDisplay);
    if (invariantsVal.contains(keyword) || invariantsVec.contains(keyword) ||
        invariantsMat.contains(keyword) || invariantsFam.contains(keyword) ||
        unlistedInvariants().contains(keyword))
        return InvariantFactory::make(keyword, withDisplay);
    if (operators.contains(keyword) || constraints.contains(keyword))
        return OperatorFactory::make(keyword, withDisplay);
    return nullptr;
}

Calculus *BuildCalculus::makeConstant(bool withDisplay) const
{
    return ProblemItemFactory::make(QStringLiteral("CONSTANT"), withDisplay);
}

namespace
{
const QString undefinedObject = QStringLiteral("Undefined object.");
} // namespace

QString BuildCalculus::Documentation(const QString &kind) const
{
    QStringList list;
    if (kind == QLatin1String("InvariantsVal"))
        list = invariantsVal;
    else if (kind == QLatin1String("InvariantsVec"))
        list = invariantsVec;
    else if (kind == QLatin1String("InvariantsMat"))
        list = invariantsMat;
    else if (kind == QLatin1String("InvariantsFam"))
        list = invariantsFam;
    else if (kind == QLatin1String("Operators"))
        list = operators;
    else if (kind == QLatin1String("Constraints"))
        list = constraints;
    else if (kind == QLatin1String("All"))
        list = all;
    else
        return textDefinition(kind);
    QString text;
    for (const QString &keyword : list) {
        const std::unique_ptr<Calculus> item(makeCalculus(keyword, false));
        if (item)
            text += item->textDocumentation();
    }
    return text;
}

QString BuildCalculus::toolTip(const QString &keyword) const
{
    const std::unique_ptr<Calculus> item(makeCalculus(keyword, false));
    if (!item)
        return undefinedObject;
    return item->name + QStringLiteral(": ") + item->textDocumentation();
}

QString BuildCalculus::textDefinition(const QString &keyword) const
{
    const std::unique_ptr<Calculus> item(makeCalculus(keyword, false));
    return item ? item->textDocumentation() : undefinedObject;
}

QString BuildCalculus::latexDefinition(const QString &keyword) const
{
    const std::unique_ptr<Calculus> item(makeCalculus(keyword, false));
    return item ? item->latexDocumentation() + QStringLiteral("\\n\\n") : undefinedObject;
}
