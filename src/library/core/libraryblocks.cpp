#include "library/core/libraryblocks.h"

namespace {

// Where a write outside a table goes: a text nothing reads back.
QString& Scratch()
{
    static thread_local QString scratch;
    scratch.clear();
    return scratch;
}

const QString& Empty()
{
    static const QString empty;
    return empty;
}

}  // namespace

LibCells::LibCells(int capacity, int properties)
    : m_capacity(capacity), m_properties(properties),
      m_cells(std::size_t(capacity) * std::size_t(properties))
{
}

QString& LibCells::Cell(int entry, int prop)
{
    if (!contains(entry, prop))
        return Scratch();
    return m_cells[std::size_t(prop) * std::size_t(m_capacity) + std::size_t(entry)];
}

const QString& LibCells::Cell(int entry, int prop) const
{
    if (!contains(entry, prop))
        return Empty();
    return m_cells[std::size_t(prop) * std::size_t(m_capacity) + std::size_t(entry)];
}

void LibCells::clearCells()
{
    for (QString& c : m_cells)
        c.clear();
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

QString& LibRow::Cell(int i)
{
    if (i < 0 || i >= size())
        return Scratch();
    return m_cells[std::size_t(i)];
}

const QString& LibRow::Cell(int i) const
{
    if (i < 0 || i >= size())
        return Empty();
    return m_cells[std::size_t(i)];
}

LibGrid::LibGrid(int firstCol, int firstRow) : FirstCol(firstCol), FirstRow(firstRow)
{
}

QString& LibGrid::Cell(int col, int row)
{
    if (col < 0 || col >= Size || row < 0 || row >= Size)
        return Scratch();
    return m_cells[std::size_t(row) * Size + std::size_t(col)];
}

const QString& LibGrid::Cell(int col, int row) const
{
    if (col < 0 || col >= Size || row < 0 || row >= Size)
        return Empty();
    return m_cells[std::size_t(row) * Size + std::size_t(col)];
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
