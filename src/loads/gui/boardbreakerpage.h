#pragma once
// Panel-board design page 4: breaker-rating criteria (ATB, ATTh, ATMS, ATMI, ATSC).
#include "loads/gui/designpage.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class CBoardBreakerPage : public CDesignPage
{
    Q_OBJECT

public:
    explicit CBoardBreakerPage(QWidget* parent = nullptr);

    static constexpr int MakerComboId = 1163;  // the breaker workbook's sheets
    static constexpr int InrushComboId = 1164;
    static constexpr int TripTimeComboId = 1165;
    static constexpr int MarginEditId = 1008;

    QComboBox* MakerCombo() const { return m_maker; }
    QComboBox* InrushCombo() const { return m_inrush; }
    QComboBox* TripTimeCombo() const { return m_tripTime; }
    QLineEdit* MarginEdit() const { return m_margin; }
    QPushButton* UserBreakerButton() const { return m_userBreaker; }

    // "User 입력": the user's breaker multiples, on the breaker workbook's last sheet.
    void OnUserBreakerInput();

private:
    QComboBox* m_maker = nullptr;
    QComboBox* m_inrush = nullptr;
    QComboBox* m_tripTime = nullptr;
    QLineEdit* m_margin = nullptr;
    QPushButton* m_userBreaker = nullptr;
};
