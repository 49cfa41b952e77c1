#pragma once
// "차단기 규약동작배율 사용자 입력": the user's own breaker data on one sheet of the breaker
// workbook: ratings with their conventional operating multiples for 4, 6, 10, 15 and 20 s,
// frames with breaking capacity and type, and the grid of which ratings each frame offers.
// The dialog edits the breaker tables of theApp only; its caller writes them to the workbook.
#include <QDialog>

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;
class ReportListView;

class CUserBreakerDlg : public QDialog
{
    Q_OBJECT

public:
    // With its heading row and column the grid holds 49 ratings and 49 frames.
    static constexpr int MaxEntries = 49;

    explicit CUserBreakerDlg(QWidget* parent = nullptr);

    int SheetIndex = 0;  // the breaker-workbook sheet edited, set by the caller

    // Lists set up, then the sheet loaded into them.
    void OnInitDialog();
    void LoadUserBreakerTables();
    void StoreUserBreakerTables();
    void RebuildGrid();

    void OnAddRatingRow();
    void OnModifyRatingRow();
    void OnDeleteRatingRow();
    void OnAddFrameRow();
    void OnModifyFrameRow();
    void OnDeleteFrameRow();
    void OnClickRatingList();
    void OnClickFrameList();
    void OnApplyGrid();
    void OnClickGridCell(int row, int column);

    ReportListView* RatingList() const { return m_ratingList; }
    ReportListView* FrameList() const { return m_frameList; }
    ReportListView* GridList() const { return m_grid; }
    QLineEdit* RatingEdit(int i) const { return m_ratingEdits.at(std::size_t(i)); }
    QLineEdit* FrameEdit(int i) const { return m_frameEdits.at(std::size_t(i)); }
    // "추가", "수정", "삭제" of the rating (0..2) and the frame (3..5) lists, "적용" (6),
    // "확인" (7), "취소" (8).
    enum Button { AddRating, ModifyRating, DeleteRating, AddFrame, ModifyFrame, DeleteFrame,
                  ApplyGrid, Ok, Cancel, ButtonCount };
    QPushButton* ButtonAt(Button b) const { return m_buttons.at(std::size_t(b)); }

    int RatingCount() const { return m_ratingCount; }
    int FrameCount() const { return m_frameCount; }
    int GridColumnCount() const { return m_gridCols; }
    int GridRowCount() const { return m_gridRows; }

private:
    QStringList ReadRatingFields() const;
    QStringList ReadFrameFields() const;
    void SetGridColumns();

    int m_ratingCount = 0;
    int m_frameCount = 0;
    int m_gridCols = 0;
    int m_gridRows = 0;
    ReportListView* m_ratingList = nullptr;
    ReportListView* m_frameList = nullptr;
    ReportListView* m_grid = nullptr;
    std::array<QLineEdit*, 6> m_ratingEdits{};
    std::array<QLineEdit*, 3> m_frameEdits{};
    std::array<QPushButton*, ButtonCount> m_buttons{};
};

// How the editor is run: OnInitDialog, then modally. Tests replace the runner to work the
// controls as a user would; an empty runner restores the modal run.
using BreakerEditorRunner = std::function<int(CUserBreakerDlg&)>;
void SetBreakerEditorRunner(BreakerEditorRunner runner);
// QDialog::Accepted when the editor ended with "확인".
int RunBreakerEditor(CUserBreakerDlg& dlg);
