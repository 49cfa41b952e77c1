#pragma once
// Page 0 of the fault-current screen: the utility's source impedance, the distribution lines
// (sheet 0 of the fault-current workbook) and the incoming cables (sheet 1), each row from the
// line-impedance table ("입력1") or typed as percent values ("입력2"), and the applied totals.
#include "fault/core/faultrows.h"
#include "fault/gui/faultpage.h"

class CUtilityPage : public CFaultPage
{
    Q_OBJECT

public:
    explicit CUtilityPage(QWidget* parent = nullptr);

    // Fills both kind combos from the cable-type legend (unless they already hold it).
    void FillUtilityTypeCombos();
    void FillUtilityLineList();
    void FillIncomingCableList();

    // The two bands: 0 distribution lines, 1 incoming cables.
    enum Band { LineBand = 0, CableBand = 1 };
    ReportListView* List(int band) const { return m_bands[band].list; }

    void OnAddRow(int band);
    void OnChangeRow(int band);
    void OnDeleteRow(int band);
    void OnSelectKind(int band);
    void OnClickList(int band);

    // Fills the conductor-pair combo of a band with the table entries of a kind.
    void FillSpecCombo(int band, const QString& kind);

private:
    struct BandControls
    {
        int sheet;
        int libraryRadio, directRadio, kindCombo, specCombo, distance;
        int direct[4];
        ReportListView* list;
    };
    void BuildBand(int band, int y);
    fault::LineRowInputs Inputs(int band) const;
    // The distance of a library row, or the four typed percent values, as numbers of their
    // sign; otherwise a message naming the field.
    bool CheckLineInputs(int band) const;
    void SelectComboText(int comboId, const QString& text);
    void FillList(int band);

    BandControls m_bands[2];
};
