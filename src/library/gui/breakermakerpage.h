#pragma once
// Library page: conventional operating multiples of one breaker maker, read from the breaker
// workbook: the maker choice, its ratings, its frames and its rating-by-frame matrix.
#include "library/gui/librarypage.h"

class QComboBox;

class CBreakerMakerPage : public CLibraryPage
{
public:
    explicit CBreakerMakerPage(QWidget* parent = nullptr);

    // Lists the makers of the breaker workbook, selects the first and shows its sheet.
    void ReloadBreakerMakers();
    // Loads the chosen maker's sheet and shows it.
    void OnSelchangeMaker();
    // Shows the loaded maker tables; the matrix gets one column per frame.
    void FillOperatingMultipleLists();
    void Fill() override { ReloadBreakerMakers(); }

    QComboBox* MakerCombo() const { return m_makerCombo; }

protected:
    void ConnectControls() override;

private:
    QComboBox* m_makerCombo = nullptr;
};
