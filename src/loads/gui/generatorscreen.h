#pragma once
// The generator-capacity screen (Screen::Generator): the input page with the generator's loads and
// the result page with the output formula for the outage and the fire case.
#include "app/gui/formview.h"

class CGeneratorLoadPage;
class CGeneratorResultPage;
class QTabWidget;

class CGeneratorScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Generator;

    explicit CGeneratorScreen(QWidget* parent = nullptr);
    ~CGeneratorScreen() override;

    void OnInitialUpdate() override;
    // What its "저장하기" would write into the project file, for the unsaved-edits question.
    ProjectFileSections WouldWriteSections() override;
    QString UnsavedEditsName() const override;

    // The three operations the screen switcher and the report writer run, in this order;
    // each is callable from the report worker thread (it runs on the GUI thread and the
    // caller waits).
    // Copies the generator factors from the controls into the generator block.
    void StoreGeneratorInputs();
    // Computes both cases from the stored rows and writes every result text into the pages.
    void CalcGeneratorCapacity();
    // Refills the load list and puts the stored factors back into the controls.
    void ShowGeneratorInputs();

    void ShowGeneratorPage(int n);
    void EnableGeneratorPageButtons(int n);
    int CurrentPage() const { return m_current; }

    void OnSave();
    void OnOutput();

    CGeneratorLoadPage* LoadPage() const { return m_loadPage; }
    CGeneratorResultPage* ResultPage() const { return m_resultPage; }

private:
    void StoreOnGuiThread();
    void CalcOnGuiThread();
    void ShowOnGuiThread();

    QTabWidget* m_pages;
    CGeneratorLoadPage* m_loadPage;
    CGeneratorResultPage* m_resultPage;
    int m_current = 0;
};
