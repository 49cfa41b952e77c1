#pragma once
// "케이블 타입": a modeless list of the cable-type codes of the line-impedance table, their
// descriptions and whether the line runs overhead or underground.
#include <QDialog>

class QTableWidget;

class CHelpDlg : public QDialog
{
public:
    explicit CHelpDlg(QWidget* parent = nullptr);

    // Fills the list from CableTypeLegend.
    void OnInitDialog();
    QTableWidget* List() const { return m_list; }

private:
    QTableWidget* m_list;
};
