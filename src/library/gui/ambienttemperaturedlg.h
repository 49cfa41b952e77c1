#pragma once
// "입력 창": the ambient temperature of the HFIX derating and its correction factor. The factor
// follows the chosen temperature from the TDF row (20 to 70 degC in steps of 5).
#include "library/gui/librarydialogrunner.h"

class QComboBox;
class QLineEdit;

class CAmbientTemperatureDlg : public CLibraryEditorDlg
{
public:
    explicit CAmbientTemperatureDlg(QWidget* parent = nullptr);

    // The temperature in degC without the unit, and its factor, as the library cells hold them.
    void SetValues(const QString& temperature, const QString& factor);
    QString Temperature() const { return m_temperature; }
    QString Factor() const { return m_factor; }

    // Selects the first entry whose text without "℃" equals `text`; its index, or the entry
    // count when none is equal.
    int SelectComboText(const QString& text);

    void OnInitDialog() override;
    void OnSelchangeTemperature();
    void accept() override;  // OnOK

private:
    // The TDF cell at the entry's position; false when the position has no cell.
    bool FactorAt(int entry, QString& factor) const;

    QString m_temperature;
    QString m_factor;
    QComboBox* m_combo;
    QLineEdit* m_factorEdit;
};
