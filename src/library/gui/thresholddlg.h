#pragma once
// "입력 창": one multi-core size threshold (mm²), below which the multi-core values apply.
// The combo offers the standard sizes and takes a typed text as it is.
#include "library/gui/librarydialogrunner.h"

class QComboBox;

class CThresholdDlg : public CLibraryEditorDlg
{
public:
    explicit CThresholdDlg(QWidget* parent = nullptr);

    void SetThreshold(const QString& threshold) { m_threshold = threshold; }
    QString Threshold() const { return m_threshold; }

    // Selects the entry whose text equals `text`; its index, or the entry count when none is
    // equal (then no entry is selected).
    int SelectComboText(const QString& text);

    void OnInitDialog() override;
    void accept() override;  // OnOK: the threshold becomes the combo's text

private:
    QString m_threshold;
    QComboBox* m_combo;
};

// The standard conductor sizes the threshold editors offer.
QStringList ThresholdSizes();
// Fills a threshold combo box and lets it take typed text.
void SetupThresholdCombo(QComboBox* combo);
// Shared by the threshold editors: select `text` in the combo, or show it as typed text.
int SelectThresholdText(QComboBox* combo, const QString& text);
