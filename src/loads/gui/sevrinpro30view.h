#pragma once
// The transformer-capacity screen (screen 6).
#include "app/gui/formview.h"

#include <array>

class CSevrinPro31View;
class QCheckBox;
class QLineEdit;
class QTabWidget;

class CSevrinPro30View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro30View(QWidget* parent = nullptr);
    ~CSevrinPro30View() override;

    void OnInitialUpdate() override;

    // Shows transformer `pageIndex` (0..4, "TR-1".."TR-5") and refills its load list.
    void FillTransformerPage(int pageIndex);

    CSevrinPro31View* LoadPage() const { return m_loadPage; }

    // Transformer n (1..5): check box "TR-n" (1742..1746) set = the capacity is entered by
    // hand; capacity edit (1035..1039), kVA as typed, enabled only while the box is set.
    QCheckBox* CapacityCheck(int n) const { return m_capacityCheck[n - 1]; }
    QLineEdit* CapacityEdit(int n) const { return m_capacityEdit[n - 1]; }
    // A click enables or disables the edit and stores the transformer settings at once.
    void OnCapacityCheckClicked(int n);

private:
    QTabWidget* m_pages;
    CSevrinPro31View* m_loadPage;
    std::array<QCheckBox*, 5> m_capacityCheck{};
    std::array<QLineEdit*, 5> m_capacityEdit{};
};
