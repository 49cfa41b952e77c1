#include "common/workbooksheetnames.h"

#include "platform/xlsxbook.h"

QStringList WorkbookSheetNames(const QString& path)
{
    Book book;
    if (!book.load(path))
        return {QStringLiteral("<cannot load>")};
    QStringList names;
    for (int i = 0; i < book.sheetCount(); ++i)
        names << book.getSheet(i)->name();
    return names;
}
