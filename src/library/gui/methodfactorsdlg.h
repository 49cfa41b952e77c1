#pragma once
// "입력 창": the multi-core threshold of the allowable-current tables and the correction
// factors of the installation methods A1,2, B1,2, D1 and E,F.
#include "library/gui/librarydialogrunner.h"

#include <array>

class QComboBox;
class QLineEdit;

class CMethodFactorsDlg : public CLibraryEditorDlg
{
public:
    explicit CMethodFactorsDlg(QWidget* parent = nullptr);

    // Threshold, then the factors A1,2, B1,2, D1, E,F, as the library cells hold them.
    void SetValues(const std::array<QString, 5>& values) { m_values = values; }
    const std::array<QString, 5>& Values() const { return m_values; }

    int SelectComboText(const QString& text);

    void OnInitDialog() override;
    void accept() override;  // OnOK: the texts as typed, unchecked

private:
    std::array<QString, 5> m_values;
    QComboBox* m_combo;
    std::array<QLineEdit*, 4> m_factorEdits{};
};
