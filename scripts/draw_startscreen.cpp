// Draws the start screen background src/res/startscreen.png (run once, offscreen; link Qt6::Gui):
//   QT_QPA_PLATFORM=offscreen ./draw_startscreen src/res/startscreen.png
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QFont>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int W = 1306, H = 670;  // ~1.5 px per dialog unit horizontally
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, W, H);
    g.setColorAt(0, QColor(18, 42, 74));
    g.setColorAt(1, QColor(34, 86, 128));
    p.fillRect(img.rect(), g);

    // A faint single-line diagram: bus bar, feeders, transformer circles.
    QPen line(QColor(255, 255, 255, 40), 3);
    p.setPen(line);
    const int busY = 420;
    p.drawLine(140, busY, W - 140, busY);
    for (int i = 0; i < 7; ++i) {
        const int x = 200 + i * 150;
        p.drawLine(x, busY, x, busY + 120);
        p.drawRect(x - 12, busY + 40, 24, 24);  // breaker
        p.drawLine(x - 18, busY + 120, x + 18, busY + 120);
    }
    const int tx = 950; p.drawLine(tx, busY, tx, 330);
    p.drawEllipse(QPointF(tx, 300), 34, 34);
    p.drawEllipse(QPointF(tx, 252), 34, 34);
    p.drawLine(tx, 218, tx, 150);
    // earth grid in the corner
    for (int i = 0; i < 5; ++i) {
        p.drawLine(W - 300 + i * 40, 560, W - 300 + i * 40, 640);
        p.drawLine(W - 300, 560 + i * 20, W - 140, 560 + i * 20);
    }

    // Name and a lightning mark.
    QPainterPath bolt;
    bolt.moveTo(110, 60); bolt.lineTo(70, 150); bolt.lineTo(100, 150);
    bolt.lineTo(80, 220); bolt.lineTo(140, 120); bolt.lineTo(108, 120); bolt.lineTo(130, 60);
    bolt.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 196, 0));
    p.drawPath(bolt);

    QFont f(QStringLiteral("NanumGothic"));
    f.setPixelSize(110);
    f.setBold(true);
    p.setPen(Qt::white);
    p.setFont(f);
    p.drawText(QRect(160, 55, 900, 140), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Sevrin"));
    f.setPixelSize(30);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(220, 230, 245));
    p.drawText(QRect(168, 190, 1000, 50), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("전기설계 프로그램  ·  Electrical Installation Design"));
    p.end();
    return img.save(argv[1], "PNG") ? 0 : 1;
}
