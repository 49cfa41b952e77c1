#pragma once
// One bus on the bus page: the incoming 22.9 kV bus (mode 0), a transformer's secondary bus
// (mode 1) or a downstream bus built from the cables that lead to it (mode 2). The view shows
// the bus kept in the screen's bus pages (fault::BusView) and, for a downstream bus, edits it:
// "BUS NAME", "추가", "수정", "삭제" and "전체삭제" change the bus and its bus page at once.
#include "app/gui/formview.h"
#include "fault/core/busfault.h"

class QLabel;
class QLineEdit;
class ReportListView;

class CBusCell : public CFormView
{
    Q_OBJECT

public:
    // The view shows `bus`, which must outlive it; its mode decides which controls it has.
    explicit CBusCell(fault::BusView* bus, QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    fault::BusView& Bus() const { return *m_bus; }
    int Mode() const { return int(m_bus->Mode); }

    // Puts the bus's name, voltage, transformer, NGR, cell number, rows and results into the
    // controls. The list's selection mark is lost.
    void ShowBus();

    // Computes the bus by its mode and shows it; false for a downstream bus without a name or
    // without rows (nothing is computed then).
    bool CalcBusFaultCurrent();

    void OnAddBusCable();
    void OnChangeBusCable();
    void OnDeleteBusCable();
    void OnEnterBusName();
    void OnDeleteAllBusCables();

    ReportListView* List() const { return m_list; }
    QLineEdit* Field(int id) const;
    QString Text(int id) const;

    // The fifteen result fields in the order of a bus page's row 0.
    static const int kResultFields[fault::kBusResults];

private:
    // Opens the cable picker; true with the clicked cable's sixteen values when the user
    // closed it with "확인" after clicking a cable.
    bool PickCable(fault::BusListRow& cable);

    fault::BusView* m_bus;
    ReportListView* m_list = nullptr;
    QLabel* m_cellNumber = nullptr;
};
