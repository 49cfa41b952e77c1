#pragma once
// A small project for the fault-current tests: a temporary project folder, the reference
// tables the fault pages look up (transformer X/R, cable and wire impedances, one motor, one
// line type) filled in memory, and the screen's factor inputs.
#include "../common/companionsuffixes.h"
#include "app/core/quantity.h"
#include "app/core/sevrin.h"
#include "fault/core/buspages.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultrows.h"
#include "fault/core/faultvalues.h"

#include <QDir>
#include <QTest>
#include <QTemporaryDir>

#include <memory>

namespace faultfixture {

inline const std::array<QString, 12> kSuffixes = StandardCompanionSuffixes();

inline const double kSizes[16] = {1.5, 2.5, 4, 6, 10, 16, 25, 35, 50, 70, 95, 120, 150, 185, 240, 300};

// Phase-conductor resistance at 90 degC (ohm/km) and reactance (ohm/km) of the fixture
// cables: R = 23.52 / S, X = 0.080; HFIX wires: R = 18.1 / S, X = 0.1.
inline double CableR(double sq) { return 23.52 / sq; }
inline constexpr double kCableX = 0.080;

inline void FillLibrary(CSevrinApp& a)
{
    // Transformer impedances: capacity kVA, %Z, X/R.
    LibTable& trimp = a.TransformerLibBlock.TRIMP;
    const double tr[3][3] = {{500, 4.5, 5.0}, {1000, 5.0, 6.0}, {2000, 6.0, 8.0}};
    for (int e = 0; e < 3; ++e)
        for (int p = 0; p < 3; ++p)
            trimp.Cell(e, p) = QString::number(tr[e][p]);
    trimp.Count = 3;
    // Cable impedances: applied three-phase R and X sit in properties 12 and 13.
    LibTable& cbl = a.CableLibBlock.CBLIMP;
    LibTable& hfix = a.CableLibBlock.HFIXIMP;
    for (int e = 0; e < 16; ++e) {
        cbl.Cell(e, 0) = QString::number(kSizes[e]);
        cbl.Cell(e, 12) = QString::number(CableR(kSizes[e]), 'f', 6);
        cbl.Cell(e, 13) = QString::number(kCableX, 'f', 3);
        hfix.Cell(e, 0) = QString::number(kSizes[e]);
        hfix.Cell(e, 1) = QString::number(18.1 / kSizes[e], 'f', 6);
        hfix.Cell(e, 2) = QStringLiteral("0.100");
    }
    cbl.Count = 16;
    hfix.Count = 16;
    // One motor: 110 kW DOL, 0.38 kV, efficiency 0.95, power factor 0.88.
    LibTable& motors = a.MotorLibBlock.MotorTable2;
    motors.Cell(0, 1) = QStringLiteral("110");
    motors.Cell(0, 3) = QStringLiteral("0.38");
    motors.Cell(0, 4) = QStringLiteral("0.95");
    motors.Cell(0, 5) = QStringLiteral("0.88");
    motors.Cell(0, 7) = QStringLiteral("DOL");
    motors.Count = 1;
    a.MotorLibBlock.MotorTable1.Count = 0;
    a.MotorControlCenterBlock.UserMotorCount = 0;
    // One overhead line type: 0.1 %/km positive-sequence resistance.
    LibTable& line = a.CableLibBlock.LineImpedanceTable;
    const char* props[11] = {"ACSR-OC", "ACSR", "58", "OW", "OW", "32",
                             "0.1000", "0.3000", "0.4000", "1.2000", "가공"};
    for (int p = 0; p < 11; ++p)
        line.Cell(0, p) = QString::fromUtf8(props[p]);
    line.Count = 1;
}

// The factor inputs: delta20 from 90 degC, delta250 from 250 degC (alpha 0.00393), Cmax 1.1 and
// Cmin 0.95 below 1 kV, 1.1 and 1 up to 35 kV and above.
inline void SetFactors(CSevrinApp& a, const QString& cmaxLv = QStringLiteral("1.1"))
{
    a.FaultCurrentBlock.FaultConditionText = {"0.00393", "90", "20", "0.00393", "250", "20",
                                             cmaxLv, "0.95", "1.1", "1", "1.1", "1"};
}

// A project in a temporary folder with the utility %R1 2, %X1 20, %R0 4, %X0 40.
struct Project
{
    QTemporaryDir dir;
    std::unique_ptr<CSevrinApp> app = std::make_unique<CSevrinApp>();
    fault::FaultBusPages pages;

    Project()
    {
        CSevrinApp& a = *app;
        a.ProjectPathTable.CompanionSuffixTable = kSuffixes;
        a.ProjectPathTable.CurrentProjectPath = dir.filePath(QStringLiteral("P1.pro"));
        FillLibrary(a);
        SetFactors(a);
        a.FaultCurrentBlock.UtilityInput = {"변전소", "00 S/S", "2.0", "20.0", "4.0", "40.0"};
        a.CabinetSizingBlock.ConductorCriteriaIndex[2] = 0;  // 0.01 s
    }

    // A transformer as its "수정" stores it.
    void SetTransformer(int k, const QString& kva, const QString& z, const QString& kv,
                        const QString& ngr)
    {
        QVERIFY(fault::ModifyTransformer(*app, pages, k, kva, z, kv, ngr));
    }

    // The 16 values the cable picker hands a bus: cable row columns 1..16.
    fault::BusListRow CableForBus(int cableRow)
    {
        app->ReadFaultDataRow(fault::CableSheet, cableRow);
        fault::BusListRow r;
        for (int c = 0; c < 16; ++c)
            r[std::size_t(c)] = app->FaultCurrentBlock.FaultCableRow[std::size_t(c + 1)];
        return r;
    }

    // Names bus cell `cell` of the shown page of transformer tr and gives it one cable.
    bool AddBus(int tr, int cell, const QString& name, int cableRow)
    {
        fault::BusView& v = pages.Columns[std::size_t(tr)].Cells[std::size_t(cell)];
        for (std::size_t u = 0; u < 2; ++u)
            v.UpstreamRows[u] = pages.Columns[std::size_t(tr)].TransformerCell.Rows[u];
        return fault::SetBusName(*app, v, name) && fault::AddBusCable(*app, v, CableForBus(cableRow));
    }
};

// Builds the network the way the screen's pages do, then runs "계산".
inline void BuildRadialNetwork(Project& p, bool withMotor, const QString& ngr = QStringLiteral("0"))
{
    CSevrinApp& a = *p.app;
    fault::FillFaultList(a, fault::LineSheet);  // creates the data workbook, as the page fill does
    fault::LineRowInputs line;
    line.LibraryInput = false;
    line.Direct = {"0.5", "1.5", "1.5", "4.5"};
    QVERIFY(fault::AddUtilityRow(a, fault::LineSheet, line));
    QVERIFY(fault::LoadFaultBusData(a, p.pages).ok());
    QVERIFY(fault::CalcFaultCurrent(a, p.pages).ok());
    p.SetTransformer(0, "1000", "5", "0.38", ngr);
    const double d20 = CellQuantity(a.FaultCurrentBlock.FaultResult[fault::Delta20], QuantitySign::Any, 0.0);
    const double d250 = CellQuantity(a.FaultCurrentBlock.FaultResult[fault::Delta250], QuantitySign::Any, 0.0);
    fault::CableRowInputs cable{"S/S", "MCC-1", "50", "FCV", "240", "1", "4", "120", "1"};
    QVERIFY(fault::AddFaultCableRow(a, cable, d20, d250));
    if (withMotor) {
        a.FaultCurrentBlock.FaultMotorCount = 0;
        fault::MotorRowInputs m{"MCC-1", "M-1", "110", "", "DOL", "6", "4", "2.5"};
        QVERIFY(fault::AddFaultMotorRow(a, 0, m));
    }
    QVERIFY(fault::CalcFaultCurrent(a, p.pages).ok());
    QVERIFY(p.AddBus(0, 0, QStringLiteral("MCC-1"), 0));
    QVERIFY(fault::CalcFaultCurrent(a, p.pages).ok());
}

// Stores a bus named `name` with `cables` cable rows (named "C<name>-<k>") on page `sheet` of
// transformer tr, and "old" results in its row 0.
inline void StoreBus(CSevrinApp& a, int tr, int sheet, const QString& name, int cables = 1)
{
    auto& row = a.FaultCurrentBlock.BusRow;
    for (int k = 0; k < cables; ++k) {
        row = {};
        row[0] = QStringLiteral("C%1-%2").arg(name).arg(k + 1);
        row[11] = row[12] = QStringLiteral("0.001000");
        row[13] = QStringLiteral("0.002000");
        row[16] = name;
        row[17] = QStringLiteral("0.38");
        row[18] = QStringLiteral("TR-%1").arg(tr + 1);
        row[19] = QStringLiteral("0");
        QVERIFY(a.WriteBusRow(tr, sheet, k));
    }
    a.FaultCurrentBlock.BusPageHeader.fill(QStringLiteral("old"));
    QVERIFY(a.WriteBusPageHeader(tr, sheet));
}

// Buses "B1" .. "B<count>" on the first `count` pages of transformer tr, one cable each.
inline void StoreNumberedBuses(CSevrinApp& a, int tr, int count)
{
    for (int s = 0; s < count; ++s)
        StoreBus(a, tr, s, QStringLiteral("B%1").arg(s + 1));
}

}  // namespace faultfixture
