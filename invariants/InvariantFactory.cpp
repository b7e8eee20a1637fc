#include "invariants/InvariantFactory.h"

#include "invariants/invADJACENCY.h"
#include "invariants/invBALABAN.h"
#include "invariants/invCLAWS.h"
#include "invariants/invCOMNEIGH.h"
#include "invariants/invDEGMAX.h"
#include "invariants/invDEGMIN.h"
#include "invariants/invDEGREES.h"
#include "invariants/invDIAMETER.h"
#include "invariants/invDISTANCE.h"
#include "invariants/invDISTCLOSESTLEAF.h"
#include "invariants/invDTRANSMISSION.h"
#include "invariants/invECCENTRICITY.h"
#include "invariants/invHARARY.h"
#include "invariants/invIDENTITY.h"
#include "invariants/invKCHERRIES.h"
#include "invariants/invKIRCHHOFF.h"
#include "invariants/invLAPLACIAN.h"
#include "invariants/invMODULARITY.h"
#include "invariants/invNLAPLACIAN.h"
#include "invariants/invNUMERO.h"
#include "invariants/invONEMAT.h"
#include "invariants/invONEVEC.h"
#include "invariants/invORDER.h"
#include "invariants/invPENDING.h"
#include "invariants/invPLATT.h"
#include "invariants/invRADIUS.h"
#include "invariants/invRANDIC.h"
#include "invariants/invSIZE.h"
#include "invariants/invSLLAPLACIAN.h"
#include "invariants/invSUMDISTP.h"
#include "invariants/invTRANSMISSION.h"
#include "invariants/invTRIANGLES.h"
#include "invariants/invWIENER.h"
#include "invariants/invZAGREBM1.h"
#include "invariants/invZAGREBM2.h"
#include "invariants/invBETWEENNESS.h"
#include "invariants/invCENTRALITY.h"
#include "invariants/invCUTCENTRALITY.h"
#include "invariants/invDBETWEENNESS.h"
#include "invariants/invDBETWEENNESS2.h"
#include "invariants/invDCENTRALITY.h"
#include "invariants/invDCENTRALITY2.h"
#include "invariants/invNBETWEENNESS.h"
#include "invariants/invIINDEX.h"
#include "invariants/invPELORAND.h"
#include "invariants/invPELORAND2.h"

#include "invariants/famCATERPILLAR.h"
#include "invariants/famCOMET.h"
#include "invariants/famLOBSTER.h"
#include "invariants/famPATH.h"
#include "invariants/famSPIDER.h"
#include "invariants/famSTAR.h"
#include "invariants/famTREE.h"
#include "invariants/invCHROMATIC.h"
#include "invariants/invCHROMATICVAL.h"
#include "invariants/invDOMINATION.h"
#include "invariants/invNCONN.h"
#include "invariants/invSTABLEMAX.h"

#include <QString>

namespace
{
struct Maker {
    const char *keyword;
    Calculus *(*make)(bool withDisplay);
};
} // namespace

Calculus *InvariantFactory::make(const QString &keyword, bool withDisplay)
{
    static const Maker makers[] = {
        {"ADJACENCY", [](bool d) -> Calculus * { return new invADJACENCY(d); }},
        {"BALABAN", [](bool d) -> Calculus * { return new invBALABAN(d); }},
        {"CLAWS", [](bool d) -> Calculus * { return new invCLAWS(d); }},
        {"COMNEIGH", [](bool d) -> Calculus * { return new invCOMNEIGH(d); }},
        {"DEGMAX", [](bool d) -> Calculus * { return new invDEGMAX(d); }},
        {"DEGMIN", [](bool d) -> Calculus * { return new invDEGMIN(d); }},
        {"DEGREES", [](bool d) -> Calculus * { return new invDEGREES(d); }},
        {"DIAMETER", [](bool d) -> Calculus * { return new invDIAMETER(d); }},
        {"DISTANCES", [](bool d) -> Calculus * { return new invDISTANCE(d); }},
        {"DISTCLOSESTLEAF", [](bool d) -> Calculus * { return new invDISTCLOSESTLEAF(d); }},
        {"DTRANSMISSION", [](bool d) -> Calculus * { return new invDTRANSMISSION(d); }},
        {"ECCENTRICITY", [](bool d) -> Calculus * { return new invECCENTRICITY(d); }},
        {"HARARY", [](bool d) -> Calculus * { return new invHARARY(d); }},
        {"IDENTITY", [](bool d) -> Calculus * { return new invIDENTITY(d); }},
        {"KCHERRIES", [](bool d) -> Calculus * { return new invKCHERRIES(d); }},
        {"KIRCHHOFF", [](bool d) -> Calculus * { return new invKIRCHHOFF(d); }},
        {"LAPLACIAN", [](bool d) -> Calculus * { return new invLAPLACIAN(d); }},
        {"MODULARITY", [](bool d) -> Calculus * { return new invMODULARITY(d); }},
        {"NLAPLACIAN", [](bool d) -> Calculus * { return new invNLAPLACIAN(d); }},
        {"NUMERO", [](bool d) -> Calculus * { return new invNUMERO(d); }},
        {"ONEMAT", [](bool d) -> Calculus * { return new invONEMAT(d); }},
        {"ONEVEC", [](bool d) -> Calculus * { return new invONEVEC(d); }},
        {"ORDER", [](bool d) -> Calculus * { return new invORDER(d); }},
        {"PENDING", [](bool d) -> Calculus * { return new invPENDING(d); }},
        {"PLATT", [](bool d) -> Calculus * { return new invPLATT(d); }},
        {"RADIUS", [](bool d) -> Calculus * { return new invRADIUS(d); }},
        {"RANDIC", [](bool d) -> Calculus * { return new invRANDIC(d); }},
        {"SIZE", [](bool d) -> Calculus * { return new invSIZE(d); }},
        {"SLLAPLACIAN", [](bool d) -> Calculus * { return new invSLLAPLACIAN(d); }},
        {"SUMDISTP", [](bool d) -> Calculus * { return new invSUMDISTP(d); }},
        {"TRANSMISSION", [](bool d) -> Calculus * { return new invTRANSMISSION(d); }},
        {"TRIANGLES", [](bool d) -> Calculus * { return new invTRIANGLES(d); }},
        {"WIENER", [](bool d) -> Calculus * { return new invWIENER(d); }},
        {"ZAGREBM1", [](bool d) -> Calculus * { return new invZAGREBM1(d); }},
        {"ZAGREBM2", [](bool d) -> Calculus * { return new invZAGREBM2(d); }},
        {"TREE", [](bool d) -> Calculus * { return new famTREE(d); }},
        {"PATH", [](bool d) -> Calculus * { return new famPATH(d); }},
        {"STAR", [](bool d) -> Calculus * { return new famSTAR(d); }},
        {"SPIDER", [](bool d) -> Calculus * { return new famSPIDER(d); }},
        {"CATERPILLAR", [](bool d) -> Calculus * { return new famCATERPILLAR(d); }},
        {"LOBSTER", [](bool d) -> Calculus * { return new famLOBSTER(d); }},
        {"COMET", [](bool d) -> Calculus * { return new famCOMET(d); }},
        {"CHROMATIC", [](bool d) -> Calculus * { return new invCHROMATIC(d); }},
        {"CHROMATICVAL", [](bool d) -> Calculus * { return new invCHROMATICVAL(d); }},
        {"DOMINATION", [](bool d) -> Calculus * { return new invDOMINATION(d); }},
        {"NCONN", [](bool d) -> Calculus * { return new invNCONN(d); }},
        {"STABLEMAX", [](bool d) -> Calculus * { return new invSTABLEMAX(d); }},
        {"BETWEENNESS", [](bool d) -> Calculus * { return new invBETWEENNESS(d); }},
        {"CENTRALITY", [](bool d) -> Calculus * { return new invCENTRALITY(d); }},
        {"CUTCENTRALITY", [](bool d) -> Calculus * { return new invCUTCENTRALITY(d); }},
        {"DBETWEENNESS", [](bool d) -> Calculus * { return new invDBETWEENNESS(d); }},
        {"DBETWEENNESS2", [](bool d) -> Calculus * { return new invDBETWEENNESS2(d); }},
        {"DCENTRALITY", [](bool d) -> Calculus * { return new invDCENTRALITY(d); }},
        {"DCENTRALITY2", [](bool d) -> Calculus * { return new invDCENTRALITY2(d); }},
        {"NBETWEENNESS", [](bool d) -> Calculus * { return new invNBETWEENNESS(d); }},
        {"IINDEX", [](bool d) -> Calculus * { return new invIINDEX(d); }},
        {"PELORAND", [](bool d) -> Calculus * { return new invPELORAND(d); }},
        {"PELORAND2", [](bool d) -> Calculus * { return new invPELORAND2(d); }},
    };
    for (const Maker &m : makers) {
        if (keyword == QLatin1String(m.keyword))
            return m.make(withDisplay);
    }
    return nullptr;
}
