// The bus pages: loading, paging, inserting and deleting pages, and recomputing every bus.
#include "fault/core/buspages.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultrows.h"
#include "fault/core/faultvalues.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace fault {

namespace {

using companion::WorkbookAccess;
using Mode = companion::WorkbookAccess::Mode;

constexpr int kBusNameCol = 16;
constexpr int kBusRowCols = 20;

QString Tr(const char* text)
{
    return QCoreApplication::translate("Fault", text);
}

QString TransformerName(int n)
{
    return QStringLiteral("TR-%1").arg(n + 1);
}

BusListRow NamedRow(const QString& name)
{
    BusListRow row;
    row[0] = name;
    return row;
}

// Reads bus page `sheet` into the cell: its bus rows after the two upstream rows (copied from
// the transformer cell), and its stored results. A page without a bus leaves the cell empty.
void ReadBusPage(const Sheet& sheet, BusView& cell, const BusView& trCell, int tr)
{
    std::array<QString, kBusRowCols> busRow;
    for (int k = 0; k < kMaxListRows; ++k) {
        companion::ReadCells(sheet, k + 1, 0, busRow.data(), kBusRowCols);
        if (busRow[kBusNameCol].isEmpty())
            break;
        if (k == 0) {
            cell.BusName = busRow[kBusNameCol];
            if (cell.Rows.empty()) {
                for (std::size_t u = 0; u < 2; ++u) {
                    BusListRow up = u < trCell.Rows.size() ? trCell.Rows[u] : BusListRow{};
                    up[0] = u == 0 ? TransformerName(tr) + QStringLiteral(" 기준계통")
                                   : TransformerName(tr);
                    cell.Rows.push_back(up);
                }
            }
        }
        BusListRow row;
        for (std::size_t c = 0; c < 16; ++c)
            row[c] = busRow[c];
        cell.Rows.push_back(row);
    }
    if (!cell.BusName.isEmpty())
        companion::ReadCells(sheet, 0, 0, cell.Results.data(), kBusResults);
}

void SetCellNumber(BusView& cell, int s)
{
    cell.SheetIndex = s;
    cell.CellNumber = QString::number(s + 1);
}

}  // namespace

FaultBusPages::FaultBusPages()
{
    Incoming.Mode = BusMode::Incoming;
    Incoming.BusName = QStringLiteral("INCOMING");
    Incoming.Voltage = QStringLiteral("22.9");
    Incoming.Rows.push_back(NamedRow(QStringLiteral("계통 (특고기준)")));
    for (int n = 0; n < kTransformers; ++n) {
        BusColumn& col = Columns[std::size_t(n)];
        col.TransformerIndex = n;
        col.TransformerCell.Mode = BusMode::Transformer;
        col.TransformerCell.TransformerIndex = n;
        col.TransformerCell.CellNumber = QStringLiteral("0");
        col.TransformerCell.BusName = QStringLiteral("LV");
        col.TransformerCell.TransformerName = TransformerName(n);
        for (int k = 0; k < kBusCellsPerPage; ++k) {
            BusView& cell = col.Cells[std::size_t(k)];
            cell.Mode = BusMode::Feeder;
            cell.TransformerIndex = n;
            cell.TransformerName = TransformerName(n);
            SetCellNumber(cell, k);
        }
    }
}

int BusTransformerIndex(const QString& name)
{
    for (int n = 0; n < 4; ++n) {
        if (name == TransformerName(n))
            return n;
    }
    return 4;
}

void PropagateTransformerHeader(FaultBusPages& pages, int n, const QString& voltage,
                                const QString& ngr)
{
    if (n < 0 || n >= kTransformers)
        return;
    BusColumn& col = pages.Columns[std::size_t(n)];
    col.TransformerCell.Voltage = voltage;
    col.TransformerCell.Ngr = ngr;
    for (BusView& cell : col.Cells) {
        cell.Voltage = voltage;
        cell.Ngr = ngr;
    }
}

void ShowTransformerFaultResult(FaultBusPages& pages, int k, double rref90, double rref20,
                                double rref250, double xref, double rt90, double rt20,
                                double rt250, double xt, double rb, double xb)
{
    if (k < 0 || k >= kTransformers)
        return;
    BusColumn& col = pages.Columns[std::size_t(k)];
    BusView& trCell = col.TransformerCell;
    if (trCell.Rows.size() < 2) {
        trCell.Rows.clear();
        trCell.Rows.push_back(NamedRow(TransformerName(k) + QStringLiteral(" 기준계통")));
        trCell.Rows.push_back(NamedRow(TransformerName(k)));
    }
    const auto put = [](BusListRow& row, double r90, double r20, double r250, double x) {
        row[BusR90] = FormatFaultNumber(r90, 6);
        row[BusR20] = FormatFaultNumber(r20, 6);
        row[BusR250] = FormatFaultNumber(r250, 6);
        row[BusX] = FormatFaultNumber(x, 6);
    };
    put(trCell.Rows[0], rref90, rref20, rref250, xref);
    put(trCell.Rows[1], rt90, rt20, rt250, xt);
    trCell.Results[ResRst250] = FormatBusValue(rb, 6);
    trCell.Results[ResXstMin] = FormatBusValue(xb, 6);
    trCell.RB = rb;
    trCell.XB = xb;
    for (BusView& cell : col.Cells) {
        cell.RB = rb;
        cell.XB = xb;
    }
}

void FaultStoreOutcome::addUnreadable(const QString& path)
{
    if (!unreadable.contains(path))
        unreadable << path;
}

void FaultStoreOutcome::addUnsaved(const QString& path)
{
    if (!unsaved.contains(path))
        unsaved << path;
}

void FaultStoreOutcome::addUnsaved(const QStringList& paths)
{
    for (const QString& path : paths)
        addUnsaved(path);
}

void FaultStoreOutcome::add(const FaultStoreOutcome& other)
{
    for (const QString& path : other.unreadable)
        addUnreadable(path);
    addUnsaved(other.unsaved);
}

QStringList UnreadableFaultInputs(const CSevrinApp& app)
{
    QStringList paths{app.CompanionPath(CSevrinApp::FaultDataWorkbook)};
    for (int n = 0; n < kTransformers; ++n)
        paths << app.BusWorkbookPath(n);
    QStringList unreadable;
    for (const QString& path : paths) {
        if (path.isEmpty() || !QFileInfo::exists(path))
            continue;
        if (!WorkbookAccess(path, Mode::Read).ok())
            unreadable << path;
    }
    return unreadable;
}

QString FaultStoreMessage(const FaultStoreOutcome& outcome, bool run)
{
    QStringList parts;
    if (!outcome.unreadable.isEmpty()) {
        parts << (run ? Tr("파일을 읽을 수 없어 고장전류를 계산하지 않았습니다. 파일은 바꾸지 않았습니다.")
                      : Tr("파일을 읽을 수 없습니다. 파일은 바꾸지 않았습니다."))
              << outcome.unreadable;
    }
    if (!outcome.unsaved.isEmpty())
        parts << Tr("고장전류 파일에 저장하지 못했습니다.") << outcome.unsaved;
    return parts.join(QLatin1Char('\n'));
}

bool BusPagesBeyondLimit(const CSevrinApp& app, int tr)
{
    const QString path = app.BusWorkbookPath(tr);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    WorkbookAccess wb(path, Mode::Read);
    if (!wb.ok())
        return false;
    // A page keeps its cables from sheet row 1 down, each named after the bus.
    for (int s = 0; s < wb.book().sheetCount(); ++s) {
        if (const Sheet* sheet = wb.sheet(s);
            sheet && companion::ListRowsBeyondLimit(*sheet, 1, kBusNameCol, kMaxListRows))
            return true;
    }
    return false;
}

QStringList FaultWorkbooksBeyondLimit(const CSevrinApp& app)
{
    QStringList paths;
    for (int sheet : {int(LineSheet), int(IncomingCableSheet), int(FirstMotorSheet), FirstMotorSheet + 1,
                      FirstMotorSheet + 2, FirstMotorSheet + 3, FirstMotorSheet + 4, int(CableSheet)}) {
        if (FaultListBeyondLimit(app, sheet)) {
            paths << app.CompanionPath(CSevrinApp::FaultDataWorkbook);
            break;
        }
    }
    for (int tr = 0; tr < kTransformers; ++tr) {
        if (BusPagesBeyondLimit(app, tr))
            paths << app.BusWorkbookPath(tr);
    }
    return paths;
}

FaultStoreOutcome LoadFaultBusData(CSevrinApp& app, FaultBusPages& pages)
{
    FaultStoreOutcome outcome;
    const QStringList unreadable = UnreadableFaultInputs(app);
    // A workbook that cannot be read is never written, and while one of them cannot be read
    // the others are not created or padded either: the pages show what the files hold.
    const bool writable = unreadable.isEmpty();
    const QString faultData = app.CompanionPath(CSevrinApp::FaultDataWorkbook);
    // The bus workbooks are the pages' own; an unreadable "_80" leaves the pages without
    // voltages and is said by the calculation or the list that needs its rows.
    for (const QString& path : unreadable) {
        if (path != faultData)
            outcome.addUnreadable(path);
    }
    // The workbooks created or padded here are saved together at the end.
    CompanionBatch batch;
    // Nothing of the project shown before stays: the incoming bus and the secondary buses
    // start without rows and results.
    const FaultBusPages fresh;
    pages.Incoming = fresh.Incoming;
    for (int n = 0; n < kTransformers; ++n) {
        QString voltage, ngr;
        // The reader creates a missing "_80"; a load that may write nothing leaves it missing.
        if ((writable || QFileInfo::exists(faultData)) && app.ReadFaultDataRow(TransformerSheet, n)) {
            voltage = app.FaultCurrentBlock.TransformerImpedanceRow[4];
            ngr = app.FaultCurrentBlock.TransformerImpedanceRow[7];
        }
        BusColumn& col = pages.Columns[std::size_t(n)];
        BusView& trCell = col.TransformerCell;
        trCell.BusName = QStringLiteral("LV");
        trCell.TransformerName = TransformerName(n);
        trCell.Rows.clear();
        trCell.Results.fill(QString());
        trCell.RB = trCell.XB = 0.0;
        trCell.Rows.push_back(NamedRow(TransformerName(n) + QStringLiteral(" 기준계통")));
        trCell.Rows.push_back(NamedRow(TransformerName(n)));
        col.Page = 0;
        for (int k = 0; k < kBusCellsPerPage; ++k) {
            BusView& cell = col.Cells[std::size_t(k)];
            cell.ClearBus();
            cell.UpstreamRows = {};
            cell.RB = cell.XB = 0.0;
            SetCellNumber(cell, k);
            cell.TransformerName = TransformerName(n);
        }
        PropagateTransformerHeader(pages, n, voltage, ngr);

        const QString path = app.BusWorkbookPath(n);
        // Never replace a workbook that exists but cannot be read (it is listed above).
        WorkbookAccess wb(path, writable ? Mode::Write : Mode::Read);
        if (!wb.ok())
            continue;
        Book& book = wb.book();
        if (writable && book.sheetCount() < kBusPagesPerWorkbook) {
            for (int s = book.sheetCount(); s < kBusPagesPerWorkbook; ++s) {
                QString name = QString::number(s);
                while (!companion::SheetNameFree(book, name))
                    name += QLatin1Char('_');
                book.addSheet(name);
            }
            if (!wb.save())
                outcome.addUnsaved(path);
        }
        for (int k = 0; k < kBusCellsPerPage; ++k) {
            if (const Sheet* sheet = wb.sheet(k))
                ReadBusPage(*sheet, col.Cells[std::size_t(k)], trCell, n);
        }
    }
    if (!batch.finish())
        outcome.addUnsaved(batch.failedPaths());
    return outcome;
}

bool LoadBusLayout(CSevrinApp& app, BusColumn& column, int tr, int page)
{
    if (page < 0 || page >= kBusColumnPages)
        return false;
    WorkbookAccess wb(app.BusWorkbookPath(tr), Mode::Read);
    if (!wb.ok())
        return false;
    for (int i = 0; i < kBusCellsPerPage; ++i) {
        const int s = page * kBusCellsPerPage + i;
        BusView& cell = column.Cells[std::size_t(i)];
        cell.ClearBus();
        // A workbook shortened outside the program leaves the missing pages empty.
        if (const Sheet* sheet = wb.sheet(s))
            ReadBusPage(*sheet, cell, column.TransformerCell, tr);
        SetCellNumber(cell, s);
    }
    column.Page = page;
    return true;
}

FaultStoreOutcome RecalcBusColumn(CSevrinApp& app, BusColumn& column)
{
    FaultStoreOutcome outcome;
    const QString path = app.BusWorkbookPath(column.TransformerIndex);
    CalcBusFaultCurrent(app, column.TransformerCell);
    const int shown = column.Page;
    const BusView& trCell = column.TransformerCell;
    bool stored = true;
    for (int p = 0; p < kBusColumnPages; ++p) {
        if (!LoadBusLayout(app, column, column.TransformerIndex, p)) {
            // A missing workbook has no buses; one that exists and cannot be read is said.
            if (QFileInfo::exists(path))
                outcome.addUnreadable(path);
            break;
        }
        for (BusView& cell : column.Cells) {
            for (std::size_t u = 0; u < 2; ++u)
                cell.UpstreamRows[u] = u < trCell.Rows.size() ? trCell.Rows[u] : BusListRow{};
            // A page without a bus is skipped: the named buses after it are computed too,
            // so that none keeps results of an earlier state.
            CalcBusFaultCurrent(app, cell, &stored);
        }
    }
    if (!stored)
        outcome.addUnsaved(path);
    LoadBusLayout(app, column, column.TransformerIndex, shown);
    return outcome;
}

FaultStoreOutcome RecalcAllBuses(CSevrinApp& app, FaultBusPages& pages)
{
    FaultStoreOutcome outcome;
    CompanionBatch batch;
    CalcBusFaultCurrent(app, pages.Incoming);
    for (BusColumn& col : pages.Columns)
        outcome.add(RecalcBusColumn(app, col));
    if (!batch.finish())
        outcome.addUnsaved(batch.failedPaths());
    return outcome;
}

namespace {

bool LastPageHoldsBus(CSevrinApp& app, int tr)
{
    WorkbookAccess wb(app.BusWorkbookPath(tr), Mode::Read);
    if (!wb.ok() || wb.book().sheetCount() == 0)
        return false;
    const Sheet* last = wb.sheet(wb.book().sheetCount() - 1);
    return last && !companion::CellText(*last, 1, kBusNameCol).isEmpty();
}

// The pages of a bus workbook that cannot be read or written stay where they are.
void ReportMoveFailure(const CSevrinApp& app, int tr)
{
    Prompt::Message(Tr("BUS 파일에 저장하지 못했습니다.\n%1").arg(app.BusWorkbookPath(tr)));
}

}  // namespace

bool InsertBusCell(CSevrinApp& app, BusColumn& column, int s)
{
    if (s < 0 || s >= kBusPagesPerWorkbook)
        return false;
    const int tr = BusTransformerIndex(column.TransformerCell.TransformerName);
    if (!Prompt::ConfirmRun(Tr("신규 셀을 생성하고, 현재 셀을 아래로 이동합니다.")))
        return false;
    if (LastPageHoldsBus(app, tr)) {
        Prompt::Message(Tr("마지막 셀(%1)에 BUS가 있어 신규 셀을 생성할 수 없습니다.")
                            .arg(kBusPagesPerWorkbook));
        return false;
    }
    if (!app.MoveBusPage(tr, s, true)) {
        ReportMoveFailure(app, tr);
        return false;
    }
    LoadBusLayout(app, column, tr, column.Page);
    return true;
}

bool DeleteBusCell(CSevrinApp& app, BusColumn& column, int s)
{
    if (s < 0 || s >= kBusPagesPerWorkbook)
        return false;
    const int tr = BusTransformerIndex(column.TransformerCell.TransformerName);
    if (!Prompt::ConfirmRun(Tr("현재 셀을 삭제하고 아래 셀이 현재 위치로 이동합니다.")))
        return false;
    if (!app.MoveBusPage(tr, s, false)) {
        ReportMoveFailure(app, tr);
        return false;
    }
    LoadBusLayout(app, column, tr, column.Page);
    return true;
}

}  // namespace fault
