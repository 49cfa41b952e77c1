#pragma once
// The cable schedule as a whole: its row limit, the rows that the load import makes from the
// panel-board and motor-control-centre records, and the bus index that the fault-current
// search looks feeders up in.
#include "cable/core/cablerow.h"

#include <QString>

#include <array>
#include <vector>

class CSevrinApp;

// Every reader and writer of the schedule stops at this many rows, so a row that was stored
// is always listed again after a reload.
inline constexpr int kCableRowLimit = 1000;

// True when the schedule's workbook holds a row past the kCableRowLimit that it lists.
bool CableRowsBeyondLimit(CSevrinApp& app);

// Rows made by the import: the load data only, nothing computed, the separators empty.
// `number` is the row's running number (its position + 1).
CableRow MakeBoardCableRow(const std::array<QString, 13>& board, int number);
CableRow MakeMccPanelCableRow(const std::array<QString, 20>& panel, int number);
CableRow MakeMccLoadCableRow(const QString& panelName, const std::array<QString, 40>& load,
                             int number);

// The pages of the five bus workbooks, read once: the bus name of each page and its two
// result texts. Answers as FindBusFaultValues and FindBusFaultValuesContaining do, without
// opening a workbook per question.
class BusFaultIndex
{
public:
    explicit BusFaultIndex(CSevrinApp& app);

    // A found bus's currents; a value cell that is empty leaves its flag false.
    struct Hit
    {
        bool found = false;
        bool hasMinimum = false;
        bool hasMaximum = false;
        double minimum = 0;
        double maximum = 0;
    };
    // Transformer tr (0..4): the first page whose bus is named `name` exactly.
    Hit FindEqual(int tr, const QString& name);
    // The first page whose bus name contains `name` and differs from it. An empty name
    // matches nothing (it would otherwise match every named bus).
    Hit FindContaining(int tr, const QString& name);

private:
    struct Page
    {
        QString bus;
        QString minimum;
        QString maximum;
    };
    const std::vector<Page>& Pages(int tr);
    static Hit HitOf(const Page& page);

    CSevrinApp& m_app;
    std::array<std::vector<Page>, 5> m_pages;
    std::array<bool, 5> m_read{};
};
