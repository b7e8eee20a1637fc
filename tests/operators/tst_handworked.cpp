#include "OperatorCase.h"

#include <QtTest>

#include <cmath>

// Hand-worked cases of every operator added with the matrix product: results, status texts, size
// labels and error flags, and every refusal (missing, empty, failed and misshapen arguments) with
// its failure epilogue. NaN and infinite entries either propagate as IEEE arithmetic says or are
// refused where a kernel cannot work on them.
class TestHandworked : public QObject
{
    Q_OBJECT

private slots:
    void cases_data();
    void cases();
    void arity_data();
    void arity();
    void recoveryAfterFailure_data();
    void recoveryAfterFailure();
};

namespace
{

void add(const char *name, const QString &keyword, const QString &args, const QString &expected,
         const QString &status = QString(), const QString &labels = QString(),
         const QString &graph = QString())
{
    QTest::newRow(qPrintable(keyword + QLatin1Char(' ') + QLatin1String(name)))
        << keyword << graph << args.split(QLatin1Char('|')) << expected << status << labels;
}

QString num(double v)
{
    return QString::number(v, 'g', 17);
}

const QString P3 = QStringLiteral("3:0-1;1-2");

} // namespace

void TestHandworked::cases_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("labels");

    const QString r = num(1 / std::sqrt(2.0));

    // ---- "*" ----
    add("2x3 by 3x4 labels", "*", "2x3:1,0,0,0,1,0/p,q|3x4:1,2,3,4,5,6,7,8,9,10,11,12/s,t",
        "2x4:1,2,3,4,5,6,7,8", "*", "p,t");
    add("3x4 by 2x3", "*", "3x4:1,2,3,4,5,6,7,8,9,10,11,12|2x3:1,0,0,0,1,0", "FAIL:ARG SIZE DIFFER", "",
        "NA,NA");
    add("value by matrix", "*", "1x1:2|2x2:1,2,3,4", "2x2:2,4,6,8", "*", "n,n");
    add("two values", "*", "1x1:3/a,b|1x1:4/c,d", "1x1:12", "*", "a,b");
    add("value by failed argument", "*", "1x1:2|0x0", "!0x0", "*", "NA,NA");
    add("matrix by failed argument", "*", "2x2:1,2,3,4|0x0", "FAIL:ARG SIZE DIFFER");
    add("arguments 3 and 4 not read", "*", "2x2:1,2,3,4|1x1:2|3x3:1,1,1,1,1,1,1,1,1|1x5:1,2,3,4,5",
        "2x2:2,4,6,8", "*");
    add("argument 2 missing", "*", "2x2:1,2,3,4", "FAIL:Missing arguments");
    add("argument 1 empty", "*", "0x0|1x1:2", "FAIL:Argument error");
    add("NaN value", "*", "2x1:1,-2|1x1:nan", "2x1:nan,nan");
    add("infinity times zero", "*", "1x2:inf,1|2x1:0,3", "1x1:nan");

    // ---- EXP, FLOOR, SQRT ----
    add("of 1 and 0", "EXP", "1x2:1,0", "1x2:" + num(std::exp(1.0)) + ",1", "EXP");
    add("3x2 labels", "EXP", "3x2:0,0,0,0,0,0/n,k", "3x2:1,1,1,1,1,1", "EXP", "n,k");
    add("overflow and NaN", "EXP", "3x1:1000,nan,-inf", "3x1:inf,nan,0");
    add("missing", "EXP", "", "FAIL:Missing argument");
    add("empty", "EXP", "0x0", "FAIL:Argument error");
    add("-0.5 and 2", "FLOOR", "1x3:-0.5,2,2.999", "1x3:-1,2,2", "FLOOR");
    add("NaN and infinity", "FLOOR", "2x1:nan,-inf", "2x1:nan,-inf");
    add("missing", "FLOOR", "", "FAIL:Missing argument");
    add("of 4", "SQRT", "1x1:4", "1x1:2", "SQRT", "1,1");
    add("just below zero", "SQRT", "2x1:-5e-7,9e-7", "2x1:0,0", "SQRT");
    add("of -0.5", "SQRT", "1x1:-0.5", "FAIL:SQRT needs non negative arguments.", "", "NA,NA");
    add("vector with -1", "SQRT", "3x1:4,-1,9", "FAIL:SQRT needs non negative arguments.");
    add("argument in error", "SQRT", "!2x1:4,9/n,1", "FAIL:SQRT needs non negative arguments.", "", "NA,NA");
    add("NaN and infinity", "SQRT", "2x1:nan,inf", "2x1:nan,inf", "SQRT");
    add("minus infinity", "SQRT", "1x1:-inf", "FAIL:SQRT needs non negative arguments.");
    add("empty", "SQRT", "0x0", "FAIL:Argument error");

    // ---- COLUMN, TRANSPOSE ----
    const QString m43 = QStringLiteral("4x3:1,2,3,4,5,6,7,8,9,10,11,12/p,q");
    add("third column", "COLUMN", m43 + "|1x1:3", "4x1:3,6,9,12", "COLUMN", "p,1");
    add("2.9 truncated", "COLUMN", m43 + "|1x1:2.9", "4x1:2,5,8,11", "COLUMN");
    for (const char *bad : {"0.5", "0", "-1", "4", "nan", "-3e9"})
        add(bad, "COLUMN", m43 + "|1x1:" + bad, "FAIL:Invalid column number", "", "NA,NA");
    add("column vector", "COLUMN", "3x1:7,8,9|1x1:1", "3x1:7,8,9");
    add("vector as number", "COLUMN", m43 + "|2x1:1,2", "FAIL:The second argument should be a number");
    add("failed number", "COLUMN", m43 + "|0x0", "FAIL:The second argument should be a number");
    add("number missing", "COLUMN", m43, "FAIL:Missing arguments");
    add("empty matrix", "COLUMN", "0x0|1x1:1", "FAIL:Argument error");
    add("column labels", "TRANSPOSE", "3x1:1,2,3/n,1", "1x3:1,2,3", "TRANSPOSE", "1,n");
    add("2x3", "TRANSPOSE", "2x3:1,2,3,4,5,6/a,b", "3x2:1,4,2,5,3,6", "TRANSPOSE", "b,a");
    add("value", "TRANSPOSE", "1x1:nan", "1x1:nan");
    add("missing", "TRANSPOSE", "", "FAIL:Missing arguments");
    add("empty", "TRANSPOSE", "0x0", "FAIL:Argument error");

    // ---- the spectral operators ----
    for (const char *k : {"EIGENVECTORS", "DETERMINANT", "INERTIA", "CHOLESKY", "LAPLACIANOF"}) {
        const QString p = k;
        const QString sym = p == QLatin1String("CHOLESKY") ? "simmetric" : "symetric";
        add("missing", p, "", "FAIL:Missing arguments", "", "NA,NA");
        add("empty", p, "0x0", "FAIL:Argument error", "", "NA,NA");
        add("value", p, "1x1:4", "FAIL:" + p + " needs a matrix as argument", "", "NA,NA");
        add("column", p, "3x1:1,2,3", "FAIL:" + p + " needs a square matrix");
        add("row", p, "1x3:1,2,3", "FAIL:" + p + " needs a square matrix");
        add("2x3", p, "2x3:1,2,3,4,5,6", "FAIL:" + p + " needs a square matrix");
        add("asymmetry 2e-6", p, "2x2:1,0,2e-6,1", "FAIL:" + p + " needs a " + sym + " matrix", "", "NA,NA");
        add("asymmetric last pair", p, "3x3:2,1,0,1,2,1,0,1.5,2",
            "FAIL:" + p + " needs a " + sym + " matrix");
        if (p != QLatin1String("LAPLACIANOF") && p != QLatin1String("CHOLESKY")) {
            add("NaN entry", p, "2x2:2,nan,nan,2", "FAIL:" + p + " needs finite entries", "", "NA,NA");
            add("infinite diagonal", p, "2x2:inf,0,0,1", "FAIL:" + p + " needs finite entries");
        }
    }
    add("path on 2", "EIGENVECTORS", "2x2:0,1,1,0/n,n", "2x2:" + r + "," + r + "," + r + ",-" + r,
        "Eigenvectors", "n,n");
    add("diag(1, 3, 2)", "EIGENVECTORS", "3x3:1,0,0,0,3,0,0,0,2", "3x3:0,0,1,1,0,0,0,1,0", "Eigenvectors");
    add("identity", "DETERMINANT", "3x3:1,0,0,0,1,0,0,0,1", "1x1:1", "DETERMINANT", "1,1");
    add("diag(2, -3)", "DETERMINANT", "2x2:2,0,0,-3", "1x1:-6", "DETERMINANT");
    add("zero", "DETERMINANT", "2x2:0,0,0,0", "1x1:0", "DETERMINANT");
    add("diag(3, 0, -1)", "DETERMINANT", "3x3:3,0,0,0,0,0,0,0,-1", "1x1:0");
    add("small product at the end", "DETERMINANT", "3x3:0.01,0,0,0,0.01,0,0,0,0.001", "1x1:1e-7");
    add("small product before the end", "DETERMINANT", "4x4:0.01,0,0,0,0,0.01,0,0,0,0,0.001,0,0,0,0,0.001",
        "1x1:1e-10");
    add("small running product, large last eigenvalue", "DETERMINANT", "3x3:1e-4,0,0,0,1e-4,0,0,0,-1e8",
        "1x1:-1");
    add("asymmetry 1e-6 accepted", "DETERMINANT", "2x2:2,1e-6,0,3", "1x1:6");
    add("identity", "INERTIA", "3x3:1,0,0,0,1,0,0,0,1", "1x3:0,0,3", "Inertia", "1,3");
    add("diag(2, 0, -3)", "INERTIA", "3x3:2,0,0,0,0,0,0,0,-3", "1x3:1,1,1", "Inertia");
    add("zero", "INERTIA", "2x2:0,0,0,0", "1x3:0,2,0");
    add("bounds 1e-6 count as zero", "INERTIA", "4x4:1e-6,0,0,0,0,-1e-6,0,0,0,0,2e-6,0,0,0,0,-2e-6",
        "1x3:1,2,1");
    add("(4, 2; 2, 3)", "CHOLESKY", "2x2:4,2,2,3/a,b", "2x2:2,0,1," + num(std::sqrt(2.0)), "Cholesky", "a,b");
    add("diagonal", "CHOLESKY", "2x2:4,0,0,9", "2x2:2,0,0,3");
    add("Laplacian of an edge", "CHOLESKY", "2x2:1,-1,-1,1", "FAIL:CHOLESKY matrix not positive definite", "",
        "NA,NA");
    add("negative first pivot", "CHOLESKY", "2x2:-1,0,0,1", "FAIL:CHOLESKY matrix not positive definite");
    // Entries that are not finite are left to the factorisation: a pivot that is not a finite
    // positive number fails it, while the upper triangle is never read.
    add("NaN pair", "CHOLESKY", "2x2:2,nan,nan,2", "FAIL:CHOLESKY matrix not positive definite", "", "NA,NA");
    add("NaN on the diagonal", "CHOLESKY", "2x2:4,0,0,nan", "FAIL:CHOLESKY matrix not positive definite");
    add("infinite diagonal", "CHOLESKY", "2x2:inf,0,0,1", "FAIL:CHOLESKY matrix not positive definite");
    add("NaN above the diagonal", "CHOLESKY", "2x2:4,nan,2,3", "2x2:2,0,1," + num(std::sqrt(2.0)),
        "Cholesky");
    add("lower triangle decides", "CHOLESKY", "2x2:4,2.0000005,2,3", "2x2:2,0,1," + num(std::sqrt(2.0)));
    add("asymmetry 1e-6 accepted", "CHOLESKY", "2x2:1,0,1e-6,1", "2x2:1,0,1e-6," + num(std::sqrt(1 - 1e-12)),
        "Cholesky");
    add("adjacency of P3", "LAPLACIANOF", "3x3:0,1,0,1,0,1,0,1,0/n,n", "3x3:1,-1,0,-1,2,-1,0,-1,1",
        "LaplacianOf", "n,n");
    add("diagonal ignored", "LAPLACIANOF", "2x2:5,1,1,7", "2x2:1,-1,-1,1");
    add("small asymmetry, each row its own", "LAPLACIANOF", "2x2:0,1,1.0000005,0",
        "2x2:1,-1,-1.0000005,1.0000005");
    add("column label is the row label", "LAPLACIANOF", "2x2:0,1,1,0/p,q", "2x2:1,-1,-1,1", "LaplacianOf",
        "p,p");
    add("NaN propagates", "LAPLACIANOF", "2x2:nan,1,1,0", "2x2:nan,-1,-1,1");

    // ---- row and column reductions ----
    const QString m23 = QStringLiteral("2x3:1,5,2,4,0,7/p,q");
    add("2x3", "MAXCOL", m23, "1x3:4,5,7", "MAXCOL", "1,q");
    add("2x3", "SUMCOL", m23, "1x3:5,5,9", "SUMCOL", "1,q");
    add("2x3", "MAXROW", m23, "2x1:5,7", "MAXROW", "p,1");
    add("2x3", "SUMROW", m23, "2x1:8,11", "SUMROW", "p,1");
    add("column", "MAXCOL", "3x1:2,9,4/n,1", "1x1:9", "MAXCOL", "1,1");
    add("column", "SUMROW", "3x1:2,9,4/n,1", "3x1:2,9,4", "SUMROW", "n,1");
    add("row", "MAXROW", "1x3:2,9,4", "1x1:9");
    add("row", "SUMCOL", "1x3:2,9,4", "1x3:2,9,4");
    add("entries below -1e12", "MAXCOL", "2x2:-5e12,1,-6e12,2", "1x2:-5e12,2");
    add("entries below -1e12", "MAXROW", "2x1:-5e12,-3e13", "2x1:-5e12,-3e13");
    add("NaN passed over", "MAXROW", "2x2:nan,2,nan,nan", "2x1:2,nan");
    add("NaN and infinity", "SUMCOL", "2x2:nan,inf,1,-inf", "1x2:nan,nan");
    for (const char *k : {"MAXCOL", "SUMCOL", "MAXROW", "SUMROW"}) {
        add("missing", k, "", "FAIL:Missing arguments", "", "NA,NA");
        add("empty", k, "0x0", "FAIL:Argument error", "", "NA,NA");
    }

    // ---- NBEQ, SUMGE ----
    add("zeros by default", "NBEQ", "5x1:0,1,0,2,1e-7", "1x1:3", "NBEQ", "1,1");
    add("value 2", "NBEQ", "4x1:1,2,2,3|1x1:2", "1x1:2", "NBEQ");
    add("value from a vector", "NBEQ", "4x1:1,2,2,3|2x1:2,1", "1x1:2");
    add("tolerance 0", "NBEQ", "3x1:0,0,0|1x1:0|1x1:0", "1x1:0");
    add("negative tolerance", "NBEQ", "3x1:0,0,0|1x1:0|1x1:-1", "1x1:0");
    add("strict tolerance", "NBEQ", "1x1:0.5|1x1:0|1x1:0.5", "1x1:0");
    add("wide tolerance", "NBEQ", "2x2:1,2,3,4|1x1:2.5|1x1:1", "1x1:2");
    add("NaN never counted", "NBEQ", "3x1:nan,0,inf", "1x1:1");
    add("failed value uses 0", "NBEQ", "3x1:0,2,0|0x0", "!1x1:2", "NBEQ");
    add("failed argument 1 counts nothing", "NBEQ", "0x0", "!1x1:0", "NBEQ", "1,1");
    add("missing", "NBEQ", "", "FAIL:Missing arguments", "", "NA,NA");
    add("threshold 0 by default", "SUMGE", "4x1:-1,0,2,-1e-7", "1x1:1.9999999", "SUMGE", "1,1");
    add("threshold 2", "SUMGE", "3x1:1,2,3|1x1:2", "1x1:5");
    add("within 1e-6 of the threshold", "SUMGE", "2x1:1.9999995,3|1x1:2", "1x1:4.9999995");
    add("all below", "SUMGE", "2x2:-1,-2,-3,-4", "1x1:0");
    add("NaN never added", "SUMGE", "2x1:nan,1", "1x1:1");
    add("failed argument 1", "SUMGE", "0x0", "!1x1:0", "SUMGE");
    add("missing", "SUMGE", "", "FAIL:Missing arguments");

    // ---- SUMPRODUCT, CORR, distances ----
    add("values", "SUMPRODUCT", "1x1:3|1x1:4", "1x1:12", "SUMPRODUCT", "1,1");
    add("row against column", "SUMPRODUCT", "1x3:1,2,3|3x1:1,2,3", "FAIL:ARG SIZE DIFFER", "", "NA,NA");
    add("value against vector", "SUMPRODUCT", "1x1:2|2x1:1,2", "FAIL:ARG SIZE DIFFER");
    add("failed argument 2", "SUMPRODUCT", "2x1:1,2|0x0", "FAIL:ARG SIZE DIFFER");
    add("failed argument 1", "SUMPRODUCT", "0x0|2x1:1,2", "FAIL:Argument error");
    add("argument 2 missing", "SUMPRODUCT", "2x1:1,2", "FAIL:Missing arguments");
    add("argument in error", "SUMPRODUCT", "!2x1:1,2|2x1:3,4", "!1x1:11");
    add("proportional", "CORR", "3x1:1,2,3|3x1:2,4,6", "1x1:1", "CORR", "1,1");
    add("opposite", "CORR", "2x1:1,1|2x1:-1,-1", "1x1:-1");
    add("orthogonal", "CORR", "1x2:1,0|1x2:0,1", "1x1:0");
    add("not centred", "CORR", "3x1:1,2,3|3x1:3,2,1", "1x1:" + num(10.0 / 14));
    add("values", "CORR", "1x1:2|1x1:3", "1x1:1");
    add("zero vector", "CORR", "1x1:0|1x1:3", "FAIL:NUMERICAL ERROR: DIV by 0", "", "1,1");
    add("matrix", "CORR", "2x2:1,2,3,4|2x2:1,2,3,4", "FAIL:VECTORS NEEDED", "", "1,1");
    add("row against column", "CORR", "1x3:1,2,3|3x1:1,2,3", "FAIL:ARG SIZE DIFFER", "", "1,1");
    add("missing", "CORR", "2x1:1,2", "FAIL:Missing arguments", "", "1,1");
    add("empty", "CORR", "0x0|2x1:1,2", "FAIL:Argument error", "", "1,1");
    add("NaN entry", "CORR", "2x1:nan,1|2x1:1,1", "1x1:nan");
    add("(0,0) to (3,4)", "EUCLIDIANDIST", "2x1:0,0|2x1:3,4", "1x1:5", "EUCLIDIANDIST", "1,1");
    add("(0,0) to (3,4)", "MANHATTANDIST", "2x1:0,0|2x1:3,4", "1x1:7", "MANHATTANDIST", "1,1");
    for (const char *k : {"EUCLIDIANDIST", "MANHATTANDIST"}) {
        add("values", k, "1x1:2|1x1:5", "1x1:3");
        add("equal matrices", k, "2x2:1,2,3,4|2x2:1,2,3,4", "1x1:0");
        add("row against column", k, "1x3:1,2,3|3x1:1,2,3", "FAIL:ARG SIZE DIFFER", "", "NA,NA");
        add("value against vector", k, "1x1:1|3x1:1,2,3", "FAIL:ARG SIZE DIFFER");
        add("missing", k, "1x1:1", "FAIL:Missing arguments");
        add("empty", k, "0x0|1x1:1", "FAIL:Argument error");
        add("argument 1 in error", k, "!2x1:0,0|2x1:0,2", "!1x1:2");
        add("unread arguments in error", k, "2x1:0,0|2x1:0,2|0x0|0x0", "1x1:2");
        add("infinite entry", k, "2x1:inf,0|2x1:0,0", "1x1:inf");
    }
    add("row (1, 2, 4)", "DPALINDROMIC", "1x3:1,2,4", "1x1:3", "DPALINDROMIC", "1,1");
    add("column (1, 2, 4)", "DPALINDROMIC", "3x1:1,2,4", "1x1:3", "DPALINDROMIC");
    add("row (5, 1, 5)", "DPALINDROMIC", "1x3:5,1,5", "1x1:0");
    add("column (1, 3)", "DPALINDROMIC", "2x1:1,3", "1x1:2");
    add("row (1, 3)", "DPALINDROMIC", "1x2:1,3", "1x1:2");
    add("value", "DPALINDROMIC", "1x1:1", "FAIL:Argument 1 should be a vector", "", "1,1");
    add("matrix", "DPALINDROMIC", "2x2:1,2,3,4", "FAIL:The argument should be a vector", "", "1,1");
    add("missing", "DPALINDROMIC", "", "FAIL:Missing argument", "", "1,1");
    add("empty", "DPALINDROMIC", "0x0", "FAIL:Argument error", "", "1,1");

    // ---- SORT, VALUE AT, IFGE, DIAG ----
    add("column", "SORT", "3x1:3,1,2/n,1", "3x1:3,2,1", "Column vector", "n,1");
    add("row", "SORT", "1x4:1,5,5,2", "1x4:5,5,2,1", "Row vector");
    add("value", "SORT", "1x1:7", "1x1:7", "single element");
    add("NaN is a barrier", "SORT", "4x1:1,nan,3,2", "4x1:1,nan,3,2");
    add("stretches sorted apart", "SORT", "5x1:5,nan,1,9,3", "5x1:5,nan,9,3,1");
    add("infinities", "SORT", "3x1:-inf,0,inf", "3x1:inf,0,-inf");
    add("matrix", "SORT", "2x3:1,2,3,4,5,6", "FAIL:Argument error", "", "NA,NA");
    add("missing", "SORT", "", "FAIL:Missing arguments");
    add("empty", "SORT", "0x0", "FAIL:Argument error");
    const QString v3 = QStringLiteral("3x1:4,7,9");
    add("2", "VALUE AT", v3 + "|1x1:2", "1x1:7", "VECTOR VALUE AT", "1,1");
    add("3", "VALUE AT", v3 + "|1x1:3", "1x1:9");
    add("2.9", "VALUE AT", v3 + "|1x1:2.9", "1x1:7");
    for (const char *bad : {"0", "-1", "4", "0.5", "nan", "3e9"})
        add(bad, "VALUE AT", v3 + "|1x1:" + bad, "FAIL:Index out of bounds", "", "NA,NA");
    add("row", "VALUE AT", "1x3:4,7,9|1x1:1", "1x1:4", "VECTOR VALUE AT");
    add("matrix", "VALUE AT", "2x2:1,2,3,4|1x1:1", "FAIL:The first argument should be a vector");
    add("value", "VALUE AT", "1x1:5|1x1:1", "FAIL:Argument 1 should be a vector");
    add("value at a vector position", "VALUE AT", "1x1:5|2x1:1,1",
        "FAIL:The second argument should be a number");
    add("failed position", "VALUE AT", v3 + "|0x0", "FAIL:The second argument should be a number");
    add("position missing", "VALUE AT", v3, "FAIL:Missing arguments");
    add("empty vector", "VALUE AT", "0x0|1x1:1", "FAIL:Argument error");
    add("equal", "IFGE", "1x1:3|1x1:3|1x1:10|1x1:20", "1x1:10", "IFGE");
    add("within tolerance", "IFGE", "1x1:2.9999995|1x1:3|1x1:10|1x1:20", "1x1:10");
    add("below tolerance", "IFGE", "1x1:2.999998|1x1:3|1x1:10|1x1:20", "1x1:20");
    add("columns", "IFGE", "2x1:1,5|2x1:2,2|2x1:10,11/p,q|2x1:20,21", "2x1:20,11", "IFGE", "p,q");
    add("NaN condition", "IFGE", "2x1:nan,1|2x1:0,nan|2x1:1,2|2x1:3,4", "2x1:3,4");
    add("larger conditions", "IFGE", "2x2:5,0,0,0|2x2:1,9,9,9|1x1:10|1x1:20", "1x1:10");
    add("smaller conditions", "IFGE", "1x1:5|1x1:1|2x1:1,2|2x1:3,4", "FAIL:ARG SIZE ERROR", "", "NA,NA");
    add("value against vector", "IFGE", "1x1:5|2x1:1,2|1x1:1|1x1:2", "FAIL:ARG SIZE ERROR");
    add("alternatives differ", "IFGE", "1x1:5|1x1:1|1x1:1|2x1:1,2", "FAIL:ARG SIZE ERROR");
    add("three arguments", "IFGE", "1x1:5|1x1:1|1x1:1", "FAIL:Missing arguments", "", "NA,NA");
    add("failed alternative", "IFGE", "1x1:5|1x1:1|1x1:1|0x0", "FAIL:Argument error");
    add("column", "DIAG", "3x1:1,2,3/n,1", "3x3:1,0,0,0,2,0,0,0,3", "DIAG", "n,n");
    add("row", "DIAG", "1x3:1,2,3/1,n", "3x3:1,0,0,0,2,0,0,0,3", "DIAG", "n,n");
    add("matrix", "DIAG", "2x2:1,2,3,4", "FAIL:The argument should be a vector", "", "NA,NA");
    add("value", "DIAG", "1x1:4", "FAIL:Argument 1 should be a vector", "", "NA,NA");
    add("missing", "DIAG", "", "FAIL:Missing argument");
    add("empty", "DIAG", "0x0", "FAIL:Argument error");

    // ---- operators that read the graph ----
    add("path, degrees", "RANDICTYPE", "3x1:1,2,1", "3x3:0," + r + ",0," + r + ",0," + r + ",0," + r + ",0",
        "RandicType invariant 1/sqrt(i)sqrt(j)", "n,n", P3);
    add("path, row of degrees", "RANDICTYPE", "1x3:1,2,1",
        "3x3:0," + r + ",0," + r + ",0," + r + ",0," + r + ",0", "", "", P3);
    add("zero and negative weights", "RANDICTYPE", "3x1:0,2,-1", "3x3:0,inf,0,inf,0,nan,0,nan,0", "", "", P3);
    add("longer vector", "RANDICTYPE", "1x4:4,1,1,9", "3x3:0,0.5,0,0.5,0,1,0,1,0", "", "", P3);
    add("shorter vector", "RANDICTYPE", "2x1:1,2",
        "FAIL:RANDICTYPE needs a vector with an entry for each vertex", "", "NA,NA", P3);
    add("value", "RANDICTYPE", "1x1:1", "FAIL:RANDICTYPE needs a vector as argument", "", "", P3);
    add("matrix", "RANDICTYPE", "2x2:1,1,1,1", "FAIL:RANDICTYPE needs a vector as argument", "", "", P3);
    add("missing", "RANDICTYPE", "", "FAIL:Missing arguments", "", "", P3);
    add("empty", "RANDICTYPE", "0x0", "FAIL:Argument error", "", "", P3);
    add("path, degrees", "MOMENT", "", "3x1:4,2,4", "", "n,1", P3);
    add("path, unit weights", "MOMENT", "3x1:1,1,1", "3x1:3,2,3", "", "n,1", P3);
    add("path, weight on vertex 0", "MOMENT", "3x1:1,0,0", "3x1:0,1,2", "", "", P3);
    add("row vector ignored", "MOMENT", "1x3:1,1,1", "3x1:4,2,4", "", "", P3);
    add("wrong length ignored", "MOMENT", "2x1:1,1", "3x1:4,2,4", "", "", P3);
    add("failed argument ignored", "MOMENT", "0x0", "3x1:4,2,4", "", "n,1", P3);
    add("weights in error", "MOMENT", "!3x1:1,1,1", "!3x1:3,2,3", "", "", P3);
    add("single vertex", "MOMENT", "", "1x1:0", "", "", "1:");
    add("no vertex", "MOMENT", "", "0x1", "", "n,1", "0:");
    add("two isolated vertices", "MOMENT", "", "!2x1:0,0", "", "n,1", "2:");
    add("two isolated vertices, unit weights", "MOMENT", "2x1:1,1", "!2x1:1e12,1e12", "", "", "2:");
    add("star of 3 leaves, degrees", "ECORR", "4x1:3,1,1,1", "1x1:-1", "ECORR", "1,1", "4:0-1;0-2;0-3");
    add("path, (1, 2, 3)", "ECORR", "3x1:1,2,3", "1x1:0", "ECORR", "1,1", P3);
    add("no edges", "ECORR", "3x1:1,2,3", "!1x1:1", "ECORR", "1,1", "3:");
    add("regular graph, degrees", "ECORR", "4x1:2,2,2,2", "!1x1:1", "ECORR", "", "4:0-1;1-2;2-3;0-3");
    add("row vector", "ECORR", "1x3:1,2,3", "FAIL:COLUMN VECTOR NEEDED WITH n ENTRIES", "", "1,1", P3);
    add("wrong length", "ECORR", "4x1:1,2,3,4", "FAIL:COLUMN VECTOR NEEDED WITH n ENTRIES", "", "1,1", P3);
    add("missing", "ECORR", "", "FAIL:Missing arguments", "", "1,1", P3);
    add("empty", "ECORR", "0x0", "FAIL:Argument error", "", "1,1", P3);
    add("NaN entry", "ECORR", "3x1:1,nan,3", "1x1:nan", "", "", P3);
}

void TestHandworked::cases()
{
    QFETCH(QString, keyword);
    QFETCH(QString, graph);
    QFETCH(QStringList, args);
    QFETCH(QString, expected);
    QFETCH(QString, status);
    QFETCH(QString, labels);
    runOperatorCase(keyword, graph, args, expected, 1e-12, status, labels);
}

void TestHandworked::arity_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("accepted");

    const QStringList one{"EXP",         "FLOOR",      "SQRT",     "TRANSPOSE",   "EIGENVECTORS",
                          "DETERMINANT", "INERTIA",    "CHOLESKY", "LAPLACIANOF", "SUMROW",
                          "SUMCOL",      "MAXROW",     "MAXCOL",   "ECORR",       "DPALINDROMIC",
                          "SORT",        "RANDICTYPE", "MOMENT",   "DIAG"};
    for (const QString &k : one)
        QTest::newRow(qPrintable(k)) << k << 1;
    for (const char *k : {"COLUMN", "SUMGE", "SUMPRODUCT", "CORR", "VALUE AT"})
        QTest::newRow(k) << QString(k) << 2;
    QTest::newRow("NBEQ") << "NBEQ" << 3;
    for (const char *k : {"*", "EUCLIDIANDIST", "MANHATTANDIST", "IFGE"})
        QTest::newRow(k) << QString(k) << 4;
}

void TestHandworked::arity()
{
    QFETCH(QString, keyword);
    QFETCH(int, accepted);

    OperatorBoard board;
    Calculus *item = board.make(keyword, true);
    QVERIFY(item);
    QCOMPARE(item->getTooltip(), QString());
    for (int k = 1; k <= 4; ++k) {
        FixedItem *a = board.fixed(QStringLiteral("1x1:1"));
        QCOMPARE(OperatorBoard::link(a, item, k), k <= accepted);
        QCOMPARE(item->argument(k) == a, k <= accepted);
        QCOMPARE(item->incomingLink(k) != nullptr, k <= accepted);
    }
}

void TestHandworked::recoveryAfterFailure_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("good");
    QTest::addColumn<QString>("expected");

    QTest::newRow("DIAG 5 then 3") << "DIAG"
                                   << "5x1:1,2,3,4,5"
                                   << "1x3:7,8,9"
                                   << "3x3:7,0,0,0,8,0,0,0,9";
    QTest::newRow("NBEQ failed then counted") << "NBEQ"
                                              << "0x0"
                                              << "3x1:0,0,1"
                                              << "1x1:2";
    QTest::newRow("EIGENVECTORS asymmetric after success") << "EIGENVECTORS"
                                                           << "2x2:1,0,0,2"
                                                           << "2x2:1,1,0,1"
                                                           << "FAIL:EIGENVECTORS needs a symetric matrix";
    QTest::newRow("CHOLESKY indefinite after success") << "CHOLESKY"
                                                       << "2x2:4,0,0,1"
                                                       << "2x2:1,2,2,1"
                                                       << "FAIL:CHOLESKY matrix not positive definite";
    QTest::newRow("SORT column after row") << "SORT"
                                           << "1x3:1,2,3"
                                           << "2x1:1,2"
                                           << "2x1:2,1";
}

// The item is evaluated on a first argument, then on a second one in the same slot: the second
// outcome must owe nothing to the first (sizes, stale entries, status text, error flag).
void TestHandworked::recoveryAfterFailure()
{
    QFETCH(QString, keyword);
    QFETCH(QString, bad);
    QFETCH(QString, good);
    QFETCH(QString, expected);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    board.linkAll({bad});
    static_cast<FixedItem *>(item->argument(1))->set(good);
    board.evaluate();
    if (expected.startsWith(QLatin1String("FAIL:"))) {
        QCOMPARE(item->getTooltip(), expected.mid(5));
        QCOMPARE(item->rows, 0);
        QVERIFY(item->getError());
    } else {
        compareResult(item, expected);
        QVERIFY(!item->getError());
        QCOMPARE(item->getTooltip(),
                 keyword == QLatin1String("SORT") ? QStringLiteral("Column vector") : keyword);
    }
}

QTEST_MAIN(TestHandworked)
#include "tst_handworked.moc"
