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
#include "operators/operDIV.h"
#include "operators/operEIG.h"
#include "operators/operMAX.h"
#include "operators/operMIN.h"
#include "operators/operMMAX.h"
#include "operators/operMMIN.h"
#include "operators/operMULTTERMS.h"
#include "operators/operSUBSTRACT.h"
#include "operators/operSUM.h"
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
    {"+", &makeItem<operADD>},           {"-", &makeItem<operSUBSTRACT>}, {".*", &makeItem<operMULTTERMS>},
    {"/", &makeItem<operDIV>},           {"ABS", &makeItem<operABS>},     {"ADDCOLS", &makeItem<operADDCOLS>},
    {"ANGLE", &makeItem<operANGLE>},     {"CEIL", &makeItem<operCEIL>},   {"CENTER", &makeItem<operCENTER>},
    {"EIGENVALUES", &makeItem<operEIG>}, {"MAX", &makeItem<operMAX>},     {"MIN", &makeItem<operMIN>},
    {"MMAX", &makeItem<operMMAX>},       {"MMIN", &makeItem<operMMIN>},   {"SUM", &makeItem<operSUM>},
    {"VAR", &makeItem<operVAR>},         {"<", &makeItem<ConstraintLT>},  {"<=", &makeItem<ConstraintLE>},
    {"==", &makeItem<ConstraintEQ>},     {">=", &makeItem<ConstraintGE>}, {">", &makeItem<ConstraintGT>},
};

} // namespace

Calculus *OperatorFactory::make(const QString &keyword, bool withDisplay)
{
    for (const Entry &e : entries)
        if (keyword == QLatin1String(e.keyword))
            return e.make(withDisplay);
    return nullptr;
}
