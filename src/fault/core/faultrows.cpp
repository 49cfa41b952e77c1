// Rows of the line, incoming-cable, cable and motor lists and their impedances.
#include "fault/core/faultrows.h"
#include "app/core/quantity.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultvalues.h"
#include "platform/prompt.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cmath>

namespace fault {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("Fault", text);
}

// A value of a row: "-" when it is the no-value marker or not finite.
QString RowValue(double v, int decimals)
{
    return IsNoValue(v) ? QStringLiteral("-") : FormatFaultNumber(v, decimals);
}

QString* RowBuffer(CSevrinApp& app, int sheet, int& count)
{
    auto& b = app.FaultCurrentBlock;
    switch (sheet) {
    case LineSheet: count = 16; return b.LineRow.data();
    case IncomingCableSheet: count = 16; return b.IncomingCableRow.data();
    case CableSheet: count = 17; return b.FaultCableRow.data();
    default:
        if (sheet >= FirstMotorSheet && sheet < FirstMotorSheet + 5) {
            count = 27;
            return b.FaultMotorRow.data();
        }
        count = 0;
        return nullptr;
    }
}

std::array<QString, 16>& UtilityRow(CSevrinApp& app, int sheet)
{
    return sheet == LineSheet ? app.FaultCurrentBlock.LineRow
                              : app.FaultCurrentBlock.IncomingCableRow;
}

bool IsUtilitySheet(int sheet)
{
    return sheet == LineSheet || sheet == IncomingCableSheet;
}

bool IsMotorTransformer(int t)
{
    return t >= 0 && t < 5;
}

bool BuildLineRow(CSevrinApp& app, int sheet, int index, const LineRowInputs& in)
{
    auto& row = UtilityRow(app, sheet);
    row[0] = QString::number(index + 1);
    if (in.LibraryInput) {
        std::array<QString, 11> p;
        const QString key1 = SplitPart(in.Spec, QStringLiteral("|"), 0);
        const QString key2 = SplitPart(in.Spec, QStringLiteral("|"), 1);
        if (!app.FindCableColumn(key1, key2, p)) {
            Prompt::Message(Tr("관련 설정을 라이브러리에서 찾을 수 없습니다.!!!"));
            return false;
        }
        row[1] = p[0];
        row[2] = p[3];
        row[3] = p[6];
        row[4] = p[7];
        row[5] = p[8];
        row[6] = p[9];
        row[7] = in.Distance;
        row[12] = p[1];
        row[13] = p[10];
        row[14] = p[4];
        row[15] = p[10];
        CalcUtilityLineImpedance(row);
        return true;
    }
    for (const QString& v : in.Direct) {
        if (v.isEmpty()) {
            Prompt::Message(Tr("설정 값이 필요합니다.!!!"));
            return false;
        }
    }
    for (int c = 1; c <= 7; ++c)
        row[std::size_t(c)].clear();
    for (int i = 0; i < 4; ++i)
        row[std::size_t(8 + i)] = in.Direct[std::size_t(i)];
    for (int c = 12; c <= 15; ++c)
        row[std::size_t(c)].clear();
    return true;
}

// An import whose rows the workbook did not take keeps none of them: the batch saves
// nothing and the list's count goes back to where the import started.
int AbandonImport(CompanionBatch& batch, int& count, int added)
{
    batch.discard();
    count -= added;
    return -1;
}

}  // namespace

// ---- shared list operations ---------------------------------------------------------------

int& FaultListCount(CSevrinApp& app, int sheet)
{
    auto& b = app.FaultCurrentBlock;
    switch (sheet) {
    case LineSheet: return b.LineCount;
    case IncomingCableSheet: return b.IncomingCableCount;
    case CableSheet: return b.FaultCableCount;
    default: return b.FaultMotorCount;
    }
}

int FillFaultList(CSevrinApp& app, int sheet, std::vector<QStringList>* rows)
{
    int size = 0;
    QString* cells = RowBuffer(app, sheet, size);
    int& count = FaultListCount(app, sheet);
    count = 0;
    if (rows)
        rows->clear();
    if (!cells)
        return 0;
    for (int r = 0; r < kMaxListRows; ++r) {
        if (!app.ReadFaultDataRow(sheet, r))
            break;
        cells[0] = QString::number(count + 1);
        if (rows) {
            QStringList list;
            for (int c = 0; c < size; ++c)
                list << cells[c];
            rows->push_back(list);
        }
        ++count;
    }
    return count;
}

bool FaultListBeyondLimit(const CSevrinApp& app, int sheet)
{
    if (sheet == TransformerSheet || sheet < LineSheet || sheet > CableSheet)
        return false;
    const QString path = app.CompanionPath(CSevrinApp::FaultDataWorkbook);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    companion::WorkbookAccess wb(path, companion::WorkbookAccess::Mode::Read);
    const Sheet* s = wb.sheet(sheet);
    return s && companion::ListRowsBeyondLimit(*s, 0, 0, kMaxListRows);
}

bool DeleteFaultListRow(CSevrinApp& app, int sheet, int s)
{
    int size = 0;
    if (!RowBuffer(app, sheet, size))
        return false;  // the transformer rows are emptied, never removed
    int& count = FaultListCount(app, sheet);
    if (s < 0 || s >= count)
        return false;
    if (!app.DeleteFaultDataRow(sheet, s))
        return false;
    --count;
    return true;
}

// ---- lines and incoming cables ------------------------------------------------------------

QString SplitPart(const QString& text, const QString& separator, int index)
{
    const qsizetype at = text.indexOf(separator);
    if (at < 0)
        return index == 0 ? QString() : text;
    return index == 0 ? text.left(at) : text.mid(at + separator.size());
}

bool BuildUtilityLineRow(CSevrinApp& app, int index, const LineRowInputs& in)
{
    return BuildLineRow(app, LineSheet, index, in);
}

bool BuildIncomingCableRow(CSevrinApp& app, int index, const LineRowInputs& in)
{
    return BuildLineRow(app, IncomingCableSheet, index, in);
}

void CalcUtilityLineImpedance(std::array<QString, 16>& row)
{
    // A distance is positive and a per-km value never negative; otherwise no value.
    const double d = QuantityOr(row[7], QuantitySign::Positive);
    for (int i = 0; i < 4; ++i)
        row[std::size_t(8 + i)] = RowValue(CellQuantity(row[std::size_t(3 + i)], QuantitySign::NonNegative, 0.0) * d, 4);
}

ListEdit AddUtilityRow(CSevrinApp& app, int sheet, const LineRowInputs& in)
{
    if (!IsUtilitySheet(sheet))
        return false;
    int& count = FaultListCount(app, sheet);
    if (!CheckListRoom(count) || !BuildLineRow(app, sheet, count, in))
        return false;
    if (!app.WriteFaultDataRow(sheet, count, false))
        return ListEdit::NotStored;
    ++count;
    return true;
}

ListEdit ChangeUtilityRow(CSevrinApp& app, int sheet, int s, const LineRowInputs& in)
{
    if (!IsUtilitySheet(sheet) || s < 0 || s >= FaultListCount(app, sheet))
        return false;
    if (!BuildLineRow(app, sheet, s, in))
        return false;
    if (!app.WriteFaultDataRow(sheet, s, false))
        return ListEdit::NotStored;
    return true;
}

// ---- feeder cables ------------------------------------------------------------------------

void BuildFaultCableRow(CSevrinApp& app, const CableRowInputs& in, const QString& name,
                        double delta20, double delta250)
{
    auto& row = app.FaultCurrentBlock.FaultCableRow;
    row[0] = QString::number(app.FaultCurrentBlock.FaultCableCount + 1);
    QString from = name.isEmpty() ? in.From : name;
    QString to = name.isEmpty() ? in.To : name;
    if (from.isEmpty() && to.isEmpty()) {
        // Nothing names the run: the conductor names it.
        if (in.Type == QLatin1String("HFIX"))
            row[1] = QStringLiteral("HFIX %1SQ").arg(in.Sq);
        else if (in.Type == QLatin1String("FCV") || in.Type == QLatin1String("FR8"))
            row[1] = QStringLiteral("%1 %2").arg(in.Type, in.Sq);
        else
            row[1].clear();
        from = QStringLiteral("-");
        to = QStringLiteral("-");
    } else {
        row[1] = QStringLiteral("P-%1/%2").arg(from, to);
    }
    row[2] = from;
    row[3] = to;
    row[4] = in.Length;
    row[5] = in.Type;
    row[6] = in.Sq;
    row[7] = in.Core;
    row[8] = in.Line;
    row[9] = in.Pe;
    row[10] = in.N;
    for (int c = 11; c <= 16; ++c)
        row[std::size_t(c)].clear();
    if (in.Type == QLatin1String("HFIX"))
        CalcWireImpedance(app, row, delta20, delta250);
    else
        CalcCableImpedance(app, row, delta20, delta250);
}

namespace {

// A per-km table value, NaN where the table has none.
double TableValue(CSevrinApp& app, double key, const QString& table, int column)
{
    return app.VLookup(key, table, column);
}

}  // namespace

void CalcCableImpedance(CSevrinApp& app, std::array<QString, 17>& row, double delta20,
                        double delta250)
{
    // Length, sizes and the parallel count are positive or they are no value.
    const double km = QuantityOr(row[4], QuantitySign::Positive) / 1000.0;
    const double sq = QuantityOr(row[6], QuantitySign::Positive);
    const double n = QuantityOr(row[10], QuantitySign::Positive);
    const double pe = QuantityOr(row[9], QuantitySign::Positive);
    const QString table = QStringLiteral("CBLRX");
    // Per parallel conductor; with N = 0 there is no conductor and no value.
    const double r90 = km * TableValue(app, sq, table, 4) / n;
    const double x = km * TableValue(app, sq, table, 5) / n;
    const double rpe = km * TableValue(app, pe, table, 4) / n * delta250;
    const double xpe = km * TableValue(app, pe, table, 5) / n;
    row[11] = FormatFaultNumber(r90, 6);
    row[12] = FormatFaultNumber(r90 * delta20, 6);
    row[13] = FormatFaultNumber(r90 * delta250, 6);
    row[14] = FormatFaultNumber(x, 6);
    row[15] = FormatFaultNumber(rpe, 6);
    row[16] = FormatFaultNumber(xpe, 6);
}

void CalcWireImpedance(CSevrinApp& app, std::array<QString, 17>& row, double delta20,
                       double delta250)
{
    const double m = QuantityOr(row[4], QuantitySign::Positive);
    const double sq = QuantityOr(row[6], QuantitySign::Positive);
    // Two lines: out and back.
    const double k = CellQuantity(row[8], QuantitySign::Any, 0.0) == 2.0 ? 2.0 : 1.0;
    const QString table = QStringLiteral("HFIX");
    const double r90 = TableValue(app, sq, table, 2) * m / 1000.0 * k;
    const double x = TableValue(app, sq, table, 3) * m / 1000.0 * k;
    row[11] = FormatFaultNumber(r90, 6);
    row[12] = FormatFaultNumber(r90 * delta20, 6);
    row[13] = FormatFaultNumber(r90 * delta250, 6);
    row[14] = FormatFaultNumber(x, 6);
    row[15] = QStringLiteral("-");
    row[16] = QStringLiteral("-");
}

ListEdit AddFaultCableRow(CSevrinApp& app, const CableRowInputs& in, double delta20,
                          double delta250)
{
    int& count = app.FaultCurrentBlock.FaultCableCount;
    if (!CheckListRoom(count))
        return false;
    BuildFaultCableRow(app, in, QString(), delta20, delta250);
    if (!app.WriteFaultDataRow(CableSheet, count, false))
        return ListEdit::NotStored;
    ++count;
    return true;
}

ListEdit ChangeFaultCableRow(CSevrinApp& app, int s, const CableRowInputs& in, double delta20,
                             double delta250)
{
    if (s < 0 || s >= app.FaultCurrentBlock.FaultCableCount)
        return false;
    BuildFaultCableRow(app, in, QString(), delta20, delta250);
    app.FaultCurrentBlock.FaultCableRow[0] = QString::number(s + 1);
    if (!app.WriteFaultDataRow(CableSheet, s, false))
        return ListEdit::NotStored;
    return true;
}

ListEdit InsertFaultCableRow(CSevrinApp& app, int s, const CableRowInputs& in, double delta20,
                             double delta250)
{
    int& count = app.FaultCurrentBlock.FaultCableCount;
    if (s < 0 || s >= count || !CheckListRoom(count))
        return false;
    BuildFaultCableRow(app, in, CSevrinApp::MakeInsertedItemName(), delta20, delta250);
    if (!app.WriteFaultDataRow(CableSheet, s, true))
        return ListEdit::NotStored;
    ++count;
    return true;
}

int ImportScheduleCables(CSevrinApp& app, double delta20, double delta250)
{
    int& count = app.FaultCurrentBlock.FaultCableCount;
    const auto& src = app.CableScheduleBlock.CableRow;
    auto& row = app.FaultCurrentBlock.FaultCableRow;
    CompanionBatch batch;
    int added = 0;
    for (int i = 0; i < kMaxListRows; ++i) {
        if (!app.ReadCableRow(i))
            break;
        const QString kind = src[4];
        if (kind != QLatin1String("L3P") && kind != QLatin1String("A"))
            continue;
        if (!CheckListRoom(count))
            break;
        row[0] = QString::number(count + 1);
        row[1] = src[1];
        row[2] = src[2];
        row[3] = src[3];
        row[4] = src[30];
        row[5] = src[105];
        row[6] = QString(src[106]).remove(QStringLiteral("㎟"));
        row[7] = QString(src[108]).remove(QLatin1Char('C'));
        row[8] = QString(src[109]).remove(QLatin1Char('L'));
        row[9] = QString(src[110]).remove(QStringLiteral("㎟"));
        // A schedule row without a parallel count has one conductor per phase.
        row[10] = src[44].trimmed().isEmpty() ? QStringLiteral("1") : src[44];
        for (int c = 11; c <= 16; ++c)
            row[std::size_t(c)].clear();
        if (row[5] == QLatin1String("HFIX"))
            CalcWireImpedance(app, row, delta20, delta250);
        else
            CalcCableImpedance(app, row, delta20, delta250);
        if (!app.WriteFaultDataRow(CableSheet, count, false))
            return AbandonImport(batch, count, added);
        ++count;
        ++added;
    }
    if (!batch.finish())
        return AbandonImport(batch, count, added);
    return added;
}

// ---- motors -------------------------------------------------------------------------------

bool ValidateFaultMotorInput(CSevrinApp& app, const QString& kw, const QString& method,
                             double& kv, double& eta, double& pf)
{
    if (kw.isEmpty()) {
        Prompt::Message(Tr("용량(kW) 값을 지정해 주세요!!!"));
        return false;
    }
    std::array<QString, 19> fields;
    const double kwValue = QuantityOr(kw, QuantitySign::Positive);
    if (!std::isfinite(kwValue) || !app.FindMotorData(kwValue, method, fields)) {
        Prompt::Message(Tr("전동기 라이브러리에서 해당 값을 찾을 수 없습니다."));
        kv = eta = pf = NO_VALUE;
        return false;
    }
    kv = QuantityOr(fields[3], QuantitySign::Any);
    eta = QuantityOr(fields[4], QuantitySign::Any);
    pf = QuantityOr(fields[5], QuantitySign::Any);
    return true;
}

void BuildFaultMotorRow(CSevrinApp& app, const MotorRowInputs& in, double kv, double eta,
                        double pf, const QString& name)
{
    auto& row = app.FaultCurrentBlock.FaultMotorRow;
    row[0] = QString::number(app.FaultCurrentBlock.FaultMotorCount + 1);
    row[1] = name.isEmpty() ? in.Panel : CSevrinApp::MakeInsertedItemName();
    row[2] = name.isEmpty() ? in.Equipment : name;
    row[3] = in.Kw;
    row[4] = in.Kva;
    row[5] = in.Method;
    row[6] = RowValue(kv, 2);
    row[7] = RowValue(eta, 2);
    row[8] = RowValue(pf, 2);
    if (row[7] != QLatin1String("-") && row[8] != QLatin1String("-"))
        row[4] = RowValue(QuantityOr(row[3], QuantitySign::Positive) / eta / pf, 2);
    row[9] = in.Lrc;
    row[10] = in.Pole;
    row[11] = in.XR;
    for (int c = 12; c <= 26; ++c)
        row[std::size_t(c)].clear();
    CalcMotorImpedance(row);
}

void CalcMotorImpedance(std::array<QString, 27>& row)
{
    // Every figure of a motor is positive; one that is not makes the motor's figures "-".
    double p = 0.0, s = 0.0, u = 0.0;
    if (!row[6].isEmpty() && row[6] != QLatin1String("-")) {
        p = QuantityOr(row[3], QuantitySign::Positive);
        s = QuantityOr(row[4], QuantitySign::Positive);
        u = QuantityOr(row[6], QuantitySign::Positive);
    }
    const double lrc = QuantityOr(row[9], QuantitySign::Positive);
    const double pole = QuantityOr(row[10], QuantitySign::Positive);
    const double xr = QuantityOr(row[11], QuantitySign::Positive);

    const double zPct = 100.0 / lrc;
    const double zm = (zPct / 100.0) * (u * u / s) * 1000.0;
    const double rm = zm / std::sqrt(xr * xr + 1.0);
    const double xm = zm / std::sqrt(1.0 / (xr * xr) + 1.0);
    const double mu = 0.71 + 0.51 * std::exp(-0.3 * lrc);
    // q of IEC 60909 with the output in MW divided by the pole figure as entered.
    const double q = 0.79 + 0.12 * std::log(p / 1000.0 / pole);
    const double zq = zm / mu / q;
    const double rq = rm / mu / q;
    const double xq = xm / mu / q;

    const auto put = [&](int c, double v) { row[std::size_t(c)] = FormatFaultNumber(v, 6); };
    put(12, zPct);
    put(13, zm);
    put(14, 1.0 / zm);
    put(15, rm);
    put(16, 1.0 / rm);
    put(17, xm);
    put(18, 1.0 / xm);
    put(19, mu);
    put(20, q > 0.0 ? q : NO_VALUE);  // a factor of 0 or below is none: "-", as its contribution
    // A motor contributes only with a positive q and finite, positive impedances; anything else
    // (q <= 0 for small outputs per pole, a zero LRC, kVA, voltage or X/R) contributes nothing.
    const bool valid = std::isfinite(q) && q > 0.0 && std::isfinite(zq) && zq > 0.0 &&
                       std::isfinite(rq) && rq > 0.0 && std::isfinite(xq) && xq > 0.0;
    if (!valid) {
        for (int c = 21; c <= 26; ++c)
            row[std::size_t(c)] = QStringLiteral("-");
        return;
    }
    put(21, zq);
    put(22, 1.0 / zq);
    put(23, rq);
    put(24, 1.0 / rq);
    put(25, xq);
    put(26, 1.0 / xq);
}

ListEdit AddFaultMotorRow(CSevrinApp& app, int t, const MotorRowInputs& in)
{
    if (!IsMotorTransformer(t))
        return false;
    double kv = 0, eta = 0, pf = 0;
    if (!ValidateFaultMotorInput(app, in.Kw, in.Method, kv, eta, pf))
        return false;
    int& count = app.FaultCurrentBlock.FaultMotorCount;
    if (!CheckListRoom(count))
        return false;
    BuildFaultMotorRow(app, in, kv, eta, pf, QString());
    if (!app.WriteFaultDataRow(FirstMotorSheet + t, count, false))
        return ListEdit::NotStored;
    ++count;
    return true;
}

ListEdit ChangeFaultMotorRow(CSevrinApp& app, int t, int s, const MotorRowInputs& in)
{
    if (!IsMotorTransformer(t))
        return false;
    double kv = 0, eta = 0, pf = 0;
    if (!ValidateFaultMotorInput(app, in.Kw, in.Method, kv, eta, pf))
        return false;
    if (s < 0 || s >= app.FaultCurrentBlock.FaultMotorCount)
        return false;
    BuildFaultMotorRow(app, in, kv, eta, pf, QString());
    app.FaultCurrentBlock.FaultMotorRow[0] = QString::number(s + 1);
    if (!app.WriteFaultDataRow(FirstMotorSheet + t, s, false))
        return ListEdit::NotStored;
    return true;
}

ListEdit InsertFaultMotorRow(CSevrinApp& app, int t, int s, const MotorRowInputs& in)
{
    int& count = app.FaultCurrentBlock.FaultMotorCount;
    if (!IsMotorTransformer(t) || s < 0 || s >= count)
        return false;
    double kv = 0, eta = 0, pf = 0;
    if (!ValidateFaultMotorInput(app, in.Kw, in.Method, kv, eta, pf) || !CheckListRoom(count))
        return false;
    BuildFaultMotorRow(app, in, kv, eta, pf, CSevrinApp::MakeInsertedItemName());
    if (!app.WriteFaultDataRow(FirstMotorSheet + t, s, true))
        return ListEdit::NotStored;
    ++count;
    return true;
}

int ImportMccMotors(CSevrinApp& app, int t)
{
    if (!IsMotorTransformer(t))
        return 0;
    const QString name = QStringLiteral("TR-%1").arg(t + 1);
    auto& mcc = app.MotorControlCenterBlock;
    auto& row = app.FaultCurrentBlock.FaultMotorRow;
    int& count = app.FaultCurrentBlock.FaultMotorCount;
    CompanionBatch batch;
    int added = 0;
    bool full = false;
    for (int n = 0; n < 100 && !full; ++n) {
        if (!app.ReadMccPanelSheet(n))
            break;
        if (mcc.MccPanelRecord[3] != name)
            continue;
        const QString panel = mcc.MccPanelRecord[0];
        for (int k = 0; k < kMaxListRows; ++k) {
            if (!app.ReadMccLoadRow(n, k) || mcc.MccLoadRow[0].isEmpty())
                break;
            if (mcc.MccLoadRow[2] != QLatin1String("M"))
                continue;
            if (!CheckListRoom(count)) {
                full = true;
                break;
            }
            row.fill(QString());
            row[0] = QString::number(count + 1);
            row[1] = panel;
            row[2] = mcc.MccLoadRow[1];
            row[3] = mcc.MccLoadRow[3];
            row[4] = mcc.MccLoadRow[4];
            row[5] = mcc.MccLoadRow[13];
            row[6] = mcc.MccLoadRow[9];
            row[7] = mcc.MccLoadRow[10];
            row[8] = mcc.MccLoadRow[11];
            if (!app.WriteFaultDataRow(FirstMotorSheet + t, count, false))
                return AbandonImport(batch, count, added);
            ++count;
            ++added;
        }
    }
    if (!batch.finish())
        return AbandonImport(batch, count, added);
    return added;
}

}  // namespace fault
