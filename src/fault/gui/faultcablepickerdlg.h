#pragma once
// "List": the feeder cables of the fault-current workbook, one of which the user picks for a
// bus. A click copies the cable (number, from, to, length, type, sizes, N and its six
// impedances) into cells 0..15 of the bus row buffer.
#include <QDialog>

class ReportListView;

class CFaultCablePickerDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CFaultCablePickerDlg(QWidget* parent = nullptr);

    ReportListView* List() const { return m_list; }

    // Copies the marked row into the bus row buffer (the list's click).
    void OnClickCableList();

private:
    void FillCableRows();

    ReportListView* m_list = nullptr;
};
