#pragma once
// The library screen (Screen::Library): the reference tables on 26 pages, one shown at a time in
// the page frame. Group buttons jump to the first page of a group, "이전" and "다음" step through pages
// 0 to 23; every entry to the screen refills all pages.
#include "app/gui/formview.h"

#include <array>

class CLibraryPage;
class QFrame;

class CLibraryScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Library;

    static constexpr int PageCount = 26;
    static constexpr int LastSteppedPage = 23;  // "다음" stops at the grounding page

    explicit CLibraryScreen(QWidget* parent = nullptr);
    ~CLibraryScreen() override;

    void OnInitialUpdate() override;
    // Makes every library page refill itself from the reference tables, in member order.
    void RefillAllPages();

    // Shows the page of the stored page index; pages whose data editors or design conditions
    // change are refilled as they are shown. `n` sets the buttons.
    void ShowLibraryPage(int n);
    void EnableLibraryPageButtons(int n);

    void OnLibraryHomeTop();
    void OnLibraryHome();
    void OnPrevPage();
    void OnNextPage();
    void OnCableGroup();
    void OnBreakerGroup();
    void OnTrayGroup();
    void OnTransformerGroup();
    void OnGeneratorGroup();
    void OnMotorGroup();
    void OnGroundingGroup();
    void OnSwitchgearGroup();
    void OnDemandFactorGroup();

    int PageIndex() const { return m_pageIndex; }
    CLibraryPage* PageShown() const { return m_pageShown; }
    // The page of a screen index 0..24 (nullptr otherwise), or a page by member position.
    CLibraryPage* PageByIndex(int index) const;
    CLibraryPage* Page(int member) const { return m_pages[size_t(member)]; }

private:
    void ShowGroup(int index);

    CLibraryPage* m_pageShown = nullptr;
    std::array<CLibraryPage*, PageCount> m_pages{};
    int m_pageIndex = 0;
    QFrame* m_tabFrame;
};
