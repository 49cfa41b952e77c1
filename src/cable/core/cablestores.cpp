// Store of the cable schedule "_40", one row per cable on sheet 0.
#include "app/core/companionrows.h"
#include "app/core/sevrin.h"

using companion::DeleteDataRow;
using companion::ReadDataRow;
using companion::WriteDataRow;

// ---- "_40" --------------------------------------------------------------------------------

bool CSevrinApp::WriteCableRow(int row, bool insert)
{
    return WriteDataRow(CompanionPath(CableWorkbook), row, insert, CableScheduleBlock.CableRow);
}

bool CSevrinApp::DeleteCableRow(int row)
{
    return DeleteDataRow(CompanionPath(CableWorkbook), row);
}

bool CSevrinApp::ReadCableRow(int row)
{
    return ReadDataRow(CompanionPath(CableWorkbook), row, CableScheduleBlock.CableRow);
}
