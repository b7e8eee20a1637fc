#include "operators/OperatorFactory.h"

#include "operators/ConstraintEQ.h"
#include "operators/ConstraintGE.h"
#include "operators/ConstraintGT.h"
#include "operators/ConstraintLE.h"
#include "operators/ConstraintLT.h"
#include "operators/operABS.h"
#include "operators/operADD.h"
#include "operators/operADDCOLS.h"
#include "operators/operANGLE.h"
#include "operators/operCEIL.h"
#include "operators/operCENTER.h"
#include "operators/operCHOLESKY.h"
#include "operators/operCOL.h"
#include "operators/operCORR.h"
#include "operators/operDETERMINANT.h"
#include "operators/operDIAG.h"
#include "operators/operDIV.h"
#include "operators/operDPALINDROMIC.h"
#include "operators/operECORR.h"
#include "operators/operEIG.h"
#include "operators/operEIGVEC.h"
#include "operators/operEUCLIDIANDIST.h"
#include "operators/operEXP.h"
#include "operators/operFLOOR.h"
#include "operators/operIFGE.h"
#include "operators/operINERTIA.h"
#include "operators/operLAPLACIANOF.h"
#include "operators/operMANHATTANDIST.h"
#include "operators/operMAX.h"
#include "operators/operMAXCOL.h"
#include "operators/operMAXROW.h"
#include "operators/operMIN.h"
#include "operators/operMMAX.h"
#include "operators/operMMIN.h"
#include "operators/operMOMENT.h"
#include "operators/operMULT.h"
#include "operators/operMULTTERMS.h"
#include "operators/operNBEQ.h"
#include "operators/operRANDICTYPE.h"
#include "operators/operSORT.h"
#include "operators/operSQRT.h"
#include "operators/operSUBSTRACT.h"
#include "operators/operSUM.h"
#include "operators/operSUMCOL.h"
#include "operators/operSUMGE.h"
#include "operators/operSUMPRODUCT.h"
#include "operators/operSUMROW.h"
#include "operators/operTRANSPOSE.h"
#include "operators/operVALUEAT.h"
#include "operators/operVAR.h"

#include <QString>

namespace
{

template <class Item> Calculus *makeItem(bool withDisplay)
{
    return new Item(withDisplay);
}

struct Entry {
    const char *keyword;
    Calculus *(*make)(bool);
};

// Keywords are compared exactly and case-sensitively; a keyword whose class does not exist yet gives
// no item.
const Entry entries[] = {
    {"+", &makeItem<operADD>},
    {"-", &makeItem<operSUBSTRACT>},
    {".*", &makeItem<operMULTTERMS>},
    {"/", &makeItem<operDIV>},
    {"ABS", &makeItem<operABS>},
    {"ADDCOLS", &makeItem<operADDCOLS>},
    {"ANGLE", &makeItem<operANGLE>},
    {"CEIL", &makeItem<operCEIL>},
    {"CENTER", &makeItem<operCENTER>},
    {"EIGENVALUES", &makeItem<operEIG>},
    {"MAX", &makeItem<operMAX>},
    {"MIN", &makeItem<operMIN>},
    {"MMAX", &makeItem<operMMAX>},
    {"MMIN", &makeItem<operMMIN>},
    {"SUM", &makeItem<operSUM>},
    {"VAR", &makeItem<operVAR>},
    {"<", &makeItem<ConstraintLT>},
    {"<=", &makeItem<ConstraintLE>},
    {"==", &makeItem<ConstraintEQ>},
    {">=", &makeItem<ConstraintGE>},
    {">", &makeItem<ConstraintGT>},
    {"CHOLESKY", &makeItem<operCHOLESKY>},
    {"COLUMN", &makeItem<operCOL>},
    {"CORR", &makeItem<operCORR>},
    {"DETERMINANT", &makeItem<operDETERMINANT>},
    {"DIAG", &makeItem<operDIAG>},
    {"DPALINDROMIC", &makeItem<operDPALINDROMIC>},
    {"ECORR", &makeItem<operECORR>},
    {"EIGENVECTORS", &makeItem<operEIGVEC>},
    {"EUCLIDIANDIST", &makeItem<operEUCLIDIANDIST>},
    {"EXP", &makeItem<operEXP>},
    {"FLOOR", &makeItem<operFLOOR>},
    {"IFGE", &makeItem<operIFGE>},
    {"INERTIA", &makeItem<operINERTIA>},
    {"LAPLACIANOF", &makeItem<operLAPLACIANOF>},
    {"MANHATTANDIST", &makeItem<operMANHATTANDIST>},
    {"MAXCOL", &makeItem<operMAXCOL>},
    {"MAXROW", &makeItem<operMAXROW>},
    {"MOMENT", &makeItem<operMOMENT>},
    {"*", &makeItem<operMULT>},
    {"NBEQ", &makeItem<operNBEQ>},
    {"RANDICTYPE", &makeItem<operRANDICTYPE>},
    {"SORT", &makeItem<operSORT>},
    {"SQRT", &makeItem<operSQRT>},
    {"SUMCOL", &makeItem<operSUMCOL>},
    {"SUMGE", &makeItem<operSUMGE>},
    {"SUMPRODUCT", &makeItem<operSUMPRODUCT>},
    {"SUMROW", &makeItem<operSUMROW>},
    {"TRANSPOSE", &makeItem<operTRANSPOSE>},
    {"VALUE AT", &makeItem<operVALUEAT>},
};

} // namespace

Calculus *OperatorFactory::make(const QString &keyword, bool withDisplay)
{
    for (const Entry &e : entries)
        if (keyword == QLatin1String(e.keyword))
            return e.make(withDisplay);
    return nullptr;
}
