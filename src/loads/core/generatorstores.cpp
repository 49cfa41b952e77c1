// Store of the generator loads "_60", one row per load on sheet 0.
#include "app/core/companionrows.h"
#include "app/core/sevrin.h"

using companion::DeleteDataRow;
using companion::ReadDataRow;
using companion::WriteDataRow;

// ---- "_60" --------------------------------------------------------------------------------

bool CSevrinApp::WriteGeneratorLoadRow(int row, bool insert)
{
    return WriteDataRow(CompanionPath(GeneratorWorkbook), row, insert,
                        GeneratorSizingBlock.GeneratorLoadRow);
}

bool CSevrinApp::DeleteGeneratorLoadRow(int row)
{
    return DeleteDataRow(CompanionPath(GeneratorWorkbook), row);
}

bool CSevrinApp::ReadGeneratorLoadRow(int row)
{
    return ReadDataRow(CompanionPath(GeneratorWorkbook), row, GeneratorSizingBlock.GeneratorLoadRow);
}
