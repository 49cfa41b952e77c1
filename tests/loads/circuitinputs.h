#pragma once
// A panel-board circuit row as the user types it, for the board tests.
#include "loads/core/branchcircuit.h"

#include <QString>

// Row "1" named "부하" with the inputs 용량, 수량, Ph, 거리, TYPE, P, 도체, 공사, ISMIN and the
// sheet's two bars; every result empty.
inline CircuitCells CircuitInputs(const QString& unit, const QString& qty, const QString& phase,
                                  const QString& length, const QString& breaker,
                                  const QString& poles, const QString& conductor,
                                  const QString& method, const QString& isMin)
{
    CircuitCells row;
    row[CcNo] = "1";
    row[CcName] = "부하";
    row[CcUnitLoad] = unit;
    row[CcQuantity] = qty;
    row[CcPhase] = phase;
    row[CcLength] = length;
    row[CcBreaker] = breaker;
    row[CcPoles] = poles;
    row[CcConductor] = conductor;
    row[CcMethod] = method;
    row[CcIsMin] = isMin;
    row[CcBar1] = row[CcBar2] = "|";
    return row;
}
