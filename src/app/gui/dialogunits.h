#pragma once
// Screen and dialog layouts are given in dialog units: a quarter of the dialog font's average
// character width horizontally and an eighth of its height vertically. These helpers turn
// them into pixels for the font a form uses, so a layout keeps its proportions whatever the
// font and display.
#include <QFont>
#include <QRect>
#include <QString>

// The installed family that stands in for a Windows dialog font: 굴림/돋움 -> NanumGothic,
// 굴림체/돋움체 -> NanumGothicCoding, 바탕/MS Serif -> NanumMyeongjo; others unchanged.
QString MapFontFamily(const QString& family);

// The dialog font of a form: `family` mapped as above, in points.
QFont DialogFont(const QString& family = QStringLiteral("굴림"), int pointSize = 9);

class DialogUnits
{
public:
    explicit DialogUnits(const QFont& font);

    int X(int dlu) const;  // horizontal dialog units -> pixels
    int Y(int dlu) const;  // vertical dialog units -> pixels
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const { return QSize(X(width), Y(height)); }

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

private:
    int m_baseX;
    int m_baseY;
};
