#pragma once
// The transformer-capacity screen (Screen::Transformer): one load page showing TR-1..TR-5 in turn,
// the calculation of the chosen transformer and the five capacity fields of the project file.
#include "app/gui/formview.h"

#include <array>

class CTransformerLoadPage;
class QCheckBox;
class QLineEdit;
class QTabWidget;

class CTransformerScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Transformer;

    explicit CTransformerScreen(QWidget* parent = nullptr);
    ~CTransformerScreen() override;

    void OnInitialUpdate() override;
    // What its "저장하기" would write into the project file, for the unsaved-edits question.
    ProjectFileSections WouldWriteSections() override;
    QString UnsavedEditsName() const override;
    // The page's inputs count too: "저장하기" stores them on the transformer's sheet.
    bool HasUnsavedEdits() override;
    bool SaveUnsavedEdits() override;

    // Shows transformer `pageIndex` (0..4, "TR-1".."TR-5") and refills its inputs and load
    // list. It also makes that transformer the current one, so that "계산" after a project
    // load computes the transformer the page shows.
    void FillTransformerPage(int pageIndex);
    // Makes transformer n current and shows it. Callable from the report worker thread (the
    // call runs on the GUI thread and the caller waits).
    void SelectTransformerTab(int n);
    // Computes transformer n from its stored rows and the page's motor inputs; writes the
    // page's result fields, the record's motor block and (unless locked) the capacity field,
    // then saves the project file's transformer section. Callable from the report worker.
    void CalcTransformerCapacity(int n);
    void EnableTransformerTabButtons(int n);
    int CurrentIndex() const { return m_current; }

    CTransformerLoadPage* LoadPage() const { return m_loadPage; }

    // Transformer n (1..5): check box "TR-n" (1742..1746) set = the capacity is entered by
    // hand; capacity edit (1035..1039), kVA as typed, enabled only while the box is set.
    QCheckBox* CapacityCheck(int n) const { return m_capacityCheck[n - 1]; }
    QLineEdit* CapacityEdit(int n) const { return m_capacityEdit[n - 1]; }
    // A click enables or disables the edit and stores the transformer settings at once
    // (nothing is written while no project is loaded).
    void OnCapacityCheckClicked(int n);

    void OnPrevious();
    void OnNext();
    void OnSave();
    void OnOutput();

private:
    void CalcOnGuiThread(int n);
    void SelectOnGuiThread(int n);
    // Saves "Transformer_Sizing" of the loaded project; a failure is shown.
    void SaveSection();

    QTabWidget* m_pages;
    CTransformerLoadPage* m_loadPage;
    int m_current = 0;
    std::array<QCheckBox*, 5> m_capacityCheck{};
    std::array<QLineEdit*, 5> m_capacityEdit{};
};
