#pragma once
// Panel-board design page 2: conductor-size criteria (SB, SCB, SVD%, SSC).
#include "loads/gui/designpage.h"

class QComboBox;
class QLineEdit;

class CBoardConductorPage : public CDesignPage
{
    Q_OBJECT

public:
    explicit CBoardConductorPage(QWidget* parent = nullptr);

    static constexpr int ThresholdComboId = 1181;      // multi-core below this size
    static constexpr int ThresholdCopyComboId = 1182;  // single-core from it (disabled)
    static constexpr int TripTimeComboId = 1183;
    // Load power factor, efficiency, feeder, branch and motor-branch voltage drop.
    static constexpr int FirstEditId = 1184;
    static constexpr int FaultRatingEditId = 1191;
    static constexpr int MarginEditId = 1192;
    static constexpr int FirstTotalEditId = 1189;  // 1189, 1190 (disabled)

    QComboBox* ThresholdCombo() const { return m_threshold; }
    QComboBox* ThresholdCopyCombo() const { return m_thresholdCopy; }
    QComboBox* TripTimeCombo() const { return m_tripTime; }
    QLineEdit* Edit(int id) const;

    // The single-core combo follows the multi-core one.
    void OnSelchangeSingleCoreThreshold();

private:
    QComboBox* m_threshold = nullptr;
    QComboBox* m_thresholdCopy = nullptr;
    QComboBox* m_tripTime = nullptr;
};
