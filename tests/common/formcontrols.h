#pragma once
// Driving a screen's controls from a test, the way a user does. A screen (or a page inside
// it) names each control by its identifier ("1005"); a helper that finds no such control
// fails the test and leaves the screen as it was.
#include <QList>

#include <initializer_list>

class QString;
class QWidget;
class ReportListView;

// Clicks button `id` of `form`.
void ClickButton(const QWidget* form, int id);
// Sets the text of edit `id` of `form`.
void TypeText(const QWidget* form, int id, const QString& text);
// Picks `text` in combo box `id` of `form`; the text must be one of its items.
void ChooseListed(const QWidget* form, int id, const QString& text);
// Picks `text` in combo box `id` of `form` when listed, else types it into the combo's edit.
void ChooseOrType(const QWidget* form, int id, const QString& text);
// Clicks row `row` of a list (on cell `column`, scrolled into view) and checks the list marks it.
void ClickListRow(ReportListView* list, int row, int column = 0);

// A table of page-button cases: the buttons clicked from the first page, the page then shown,
// its page button (the one disabled), and whether "이전" and "다음" are enabled.
struct PageButtonsRow
{
    QList<int> clicks;
    int page = 0;
    int disabledButton = 0;
    bool previous = false;
    bool next = false;
};
// The columns of such a table, for a _data() function.
void AddPageButtonsColumns();
// The current row of such a table.
PageButtonsRow FetchPageButtonsRow();
// The buttons of a paged screen as the row says: every page button enabled but the row's one,
// "이전" (`previousId`) and "다음" (`nextId`) enabled as given.
void CheckPageButtons(const QWidget* form, std::initializer_list<int> pageButtons,
                      const PageButtonsRow& row, int previousId, int nextId);
