#pragma once
// What the pages of the fault-current screen share: a plain child form in the screen's page
// stack (Enter and Escape are discarded by the screen), controls placed in dialog units and
// found by identifier, and the lists whose rows live in a sheet of the fault-current workbook.
#include "app/gui/formulapicture.h"
#include "app/gui/formview.h"
#include "app/gui/rowlistmodel.h"
#include "fault/core/faultrows.h"

#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class CFaultPage : public CFormView
{
    Q_OBJECT

public:
    explicit CFaultPage(QWidget* parent = nullptr);

    // The text of edit or combo `id` (a combo's shown text); empty when there is none.
    QString Text(int id) const;
    void SetText(int id, const QString& text);
    QLineEdit* Edit(int id) const;
    QComboBox* Combo(int id) const;

protected:
    QLabel* AddLabel(const QString& text, int x, int y, int w, int h = 10);
    QLineEdit* AddEdit(int id, int x, int y, int w, const QString& text = QString(),
                       bool enabled = true);
    QComboBox* AddCombo(int id, int x, int y, int w, const QStringList& items);
    QRadioButton* AddRadio(int id, const QString& caption, int x, int y, int w);
    ReportListView* AddList(int id, int x, int y, int w, int h, const QList<ReportColumn>& columns);
    // A formula drawn beside the figures it gives, found by its object name.
    CFormulaPicture* AddFormula(const QString& name, FormulaNode formula, int x, int y, int w,
                                int h);

    // After a list operation: the rows the list now shows are compared with the rows the
    // workbook holds (the running number aside). When they differ the write failed: a message
    // says so and the list shows the workbook's rows. Returns true when they agree.
    bool CheckListAgainstWorkbook(ReportListView* list, int sheet);
    // A row operation the workbook refused: the message, then the workbook's rows.
    void ReportWriteFailure(ReportListView* list, int sheet);
    // True when a row edit was done; one the workbook did not take is reported as above.
    bool EditDone(const fault::ListEdit& edit, ReportListView* list, int sheet);
    // Fills the list with the rows of the sheet (numbered from 1).
    void FillListFromSheet(ReportListView* list, int sheet);
    // Opening a project does not create its fault-current workbook; the first row stored does
    // (with its ten empty sheets), so that a write never meets a missing workbook.
    static bool FaultWorkbookExists();
    static void EnsureFaultWorkbook();
    // Before rows are taken from another screen's workbook: false, after a message naming
    // it, when it exists but cannot be read (its rows would count as none).
    static bool CheckSourceWorkbook(const QString& path);
    // Renumbers column 0 of every row 1..n.
    static void RenumberList(ReportListView* list);
    // The selection mark after row s was deleted from a list now holding `count` rows.
    static void MarkAfterDelete(ReportListView* list, int s, int count);
};

// The message shown when a row could not be stored in the fault-current workbook.
QString FaultWriteFailedMessage();
