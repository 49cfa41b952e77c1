#include "common/formcontrols.h"

#include "app/gui/rowlistmodel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

template <typename T>
T* Find(const QWidget* form, int id)
{
    return form->findChild<T*>(QString::number(id));
}

}  // namespace

void ClickButton(const QWidget* form, int id)
{
    auto* button = Find<QAbstractButton>(form, id);
    QVERIFY2(button, qPrintable(QString::number(id)));
    button->click();
}

void TypeText(const QWidget* form, int id, const QString& text)
{
    auto* edit = Find<QLineEdit>(form, id);
    QVERIFY2(edit, qPrintable(QString::number(id)));
    edit->setText(text);
}

void ChooseListed(const QWidget* form, int id, const QString& text)
{
    auto* combo = Find<QComboBox>(form, id);
    QVERIFY2(combo, qPrintable(QString::number(id)));
    const int i = combo->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    combo->setCurrentIndex(i);
}

void ChooseOrType(const QWidget* form, int id, const QString& text)
{
    auto* combo = Find<QComboBox>(form, id);
    QVERIFY2(combo, qPrintable(QString::number(id)));
    const int i = combo->findText(text);
    if (i >= 0)
        combo->setCurrentIndex(i);
    else
        combo->setEditText(text);
}

void ClickListRow(ReportListView* list, int row, int column)
{
    QVERIFY(list);
    const QModelIndex index = list->model()->index(row, column);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QCOMPARE(list->selectionMark(), row);
}

void AddPageButtonsColumns()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("disabledButton");
    QTest::addColumn<bool>("previous");
    QTest::addColumn<bool>("next");
}

PageButtonsRow FetchPageButtonsRow()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, page);
    QFETCH(int, disabledButton);
    QFETCH(bool, previous);
    QFETCH(bool, next);
    return {clicks, page, disabledButton, previous, next};
}

void CheckPageButtons(const QWidget* form, std::initializer_list<int> pageButtons,
                      const PageButtonsRow& row, int previousId, int nextId)
{
    for (int id : pageButtons) {
        auto* button = Find<QPushButton>(form, id);
        QVERIFY2(button, qPrintable(QString::number(id)));
        QCOMPARE(button->isEnabled(), id != row.disabledButton);
    }
    auto* previousButton = Find<QPushButton>(form, previousId);
    auto* nextButton = Find<QPushButton>(form, nextId);
    QVERIFY(previousButton && nextButton);
    QCOMPARE(previousButton->isEnabled(), row.previous);
    QCOMPARE(nextButton->isEnabled(), row.next);
}
