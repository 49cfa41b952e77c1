#include "library/core/libraryblocks.h"

QString& LibCells::Scratch()
{
    static thread_local QString scratch;
    scratch.clear();
    return scratch;
}

const QString& LibCells::Empty()
{
    static const QString empty;
    return empty;
}

LibCells::LibCells(int capacity, int properties)
    : m_capacity(capacity), m_properties(properties),
      m_cells(std::size_t(capacity) * std::size_t(properties))
{
}

LibTable::LibTable(int firstCol, int firstRow, int capacity, int properties, int count)
    : LibCells(capacity, properties), FirstCol(firstCol), FirstRow(firstRow),
      Count(count < 0 ? capacity : count)
{
}

LibColumns::LibColumns(const LibTable& base, int firstCol, int firstRow, int properties)
    : LibCells(base.capacity(), properties), FirstCol(firstCol), FirstRow(firstRow), m_base(&base)
{
}

LibRow::LibRow(int firstCol, int row, int size) : FirstCol(firstCol), Row(row), m_cells(std::size_t(size))
{
}

LibGrid::LibGrid(int firstCol, int firstRow) : FirstCol(firstCol), FirstRow(firstRow)
{
}

LibColumns& CableLibBlockT::CableMethodTable(int k)
{
    LibColumns* tables[] = {&CABLE1A, &CABLE1B, &CABLE1D, &CABLE1E,
                            &CABLE3A, &CABLE3B, &CABLE3D, &CABLE3E};
    return *tables[k < 0 ? 0 : (k > 7 ? 7 : k)];
}

const LibColumns& CableLibBlockT::CableMethodTable(int k) const
{
    return const_cast<CableLibBlockT*>(this)->CableMethodTable(k);
}
