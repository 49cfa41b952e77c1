#pragma once
// One-line text prompt ("입력 창"): a label the caller sets and an edit; "확인" hands back the
// text as typed (possibly empty), "취소" cancels.
#include <QDialog>

class QLabel;
class QLineEdit;

class CTextInputDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CTextInputDlg(QWidget* parent = nullptr);

    void SetLabel(const QString& label);
    QString Label() const { return m_label; }
    void SetValue(const QString& value);
    // The edit's text when the user confirmed.
    QString Value() const { return m_value; }

    void accept() override;  // "확인": takes the edit's text, closes with 1

private:
    QString m_label;
    QString m_value;
    QLabel* m_labelCtrl;
    QLineEdit* m_edit;
};
