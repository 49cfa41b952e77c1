#pragma once
// One page of the library screen, built from its description (librarypagetable.h): static
// captions, the edits that show single library values, buttons, and read-only report lists
// whose rows come straight from the reference tables of theApp. Most pages are plain instances
// named by their description's key; the pages with controls of their own (the cable-type
// legend, the threshold and factor editors, the breaker maker choice) derive from it.
#include "library/gui/librarypagetable.h"

#include <QWidget>

#include <map>

class QLineEdit;
class QPushButton;
class ReportListView;

class CLibraryPage : public QWidget
{
    Q_OBJECT
public:
    explicit CLibraryPage(const LibPageDesc& desc, QWidget* parent = nullptr);
    ~CLibraryPage() override;

    const LibPageDesc& Desc() const { return m_desc; }
    // Builds the controls and the list headers and columns, once; the lists stay empty.
    void OnInitDialog();
    // Empties every list and refills it, and every value edit, from theApp.
    void FillLists();
    // The page's own fill function (what the screen calls on entry and when it shows a page).
    virtual void Fill() { FillLists(); }
    // Fills one list of the page from its description (no-op for a list without rows).
    void FillList(int listId);

    ReportListView* List(int id) const;
    QLineEdit* Edit(int id) const;
    QPushButton* Button(int id) const;

protected:
    // Connects the page's own controls, right after OnInitDialog has built them.
    virtual void ConnectControls() {}

private:
    const LibPageDesc& m_desc;
    std::map<int, ReportListView*> m_lists;
    std::map<int, QLineEdit*> m_edits;
    std::map<int, QPushButton*> m_buttons;
    bool m_initialised = false;
};
