#pragma once
// One-line confirmation ("실행"): the caller's text, "확인" or "취소".
#include <QDialog>

class QLabel;

class CRunDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CRunDlg(QWidget* parent = nullptr);

    void SetMessage(const QString& message);
    QString Message() const { return m_message; }

private:
    QString m_message;
    QLabel* m_text;
};
