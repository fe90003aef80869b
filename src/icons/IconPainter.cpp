// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws each icon with plain shapes in a 256-unit square, scaled to the wanted size.
#include "icons/IconPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QConicalGradient>
#include <QRadialGradient>
#include <algorithm>
#include <array>

namespace icontools {

namespace {

constexpr qreal Units = 256;

// A painter in the 256-unit space and the outline width that stays at least one pixel wide.
struct Canvas {
    QPainter& p;
    qreal line;
};

QPainterPath rounded(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QColor outlineOf(const QColor& colour)
{
    return colour.lightness() < 50 ? QColor(0, 0, 0) : colour.darker(220);
}

// Fills `path` with `colour`, lit from the top, and draws its outline.
void body(Canvas& c, const QPainterPath& path, const QColor& colour)
{
    const QRectF box = path.boundingRect();
    QLinearGradient light(box.topLeft(), box.bottomLeft());
    light.setColorAt(0, colour.lighter(135));
    light.setColorAt(0.5, colour);
    light.setColorAt(1, colour.darker(125));
    c.p.setPen(QPen(outlineOf(colour), c.line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.p.setBrush(light);
    c.p.drawPath(path);
}

void panel(Canvas& c, const QRectF& rect, const QColor& colour, qreal radius = 6)
{
    body(c, rounded(rect, radius), colour);
}

// Grip lines across `area`.
void ridges(Canvas& c, const QRectF& area, int count, const QColor& colour)
{
    c.p.setPen(QPen(colour, c.line, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i) {
        const qreal y = area.top() + area.height() * (i + 0.5) / count;
        c.p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
}

// Connector pins side by side across `area`.
void contacts(Canvas& c, const QRectF& area, int count, const QColor& colour)
{
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(colour);
    const qreal step = area.width() / count;
    for (int i = 0; i < count; ++i)
        c.p.drawRect(QRectF(area.left() + i * step + step * 0.2, area.top(), step * 0.6, area.height()));
}

void nes(Canvas& c)
{
    body(c, polygon({{28, 24}, {228, 24}, {228, 236}, {200, 236}, {200, 220}, {56, 220}, {56, 236}, {28, 236}}),
         QColor(150, 150, 150));
    ridges(c, QRectF(48, 36, 160, 36), 3, QColor(105, 105, 105));
    panel(c, QRectF(48, 88, 160, 116), QColor(40, 40, 44), 4);
    c.p.fillRect(QRectF(58, 98, 140, 14), QColor(200, 40, 40));
}

void superNintendo(Canvas& c)
{
    body(c, rounded(QRectF(20, 44, 216, 172), 28), QColor(205, 205, 212));
    panel(c, QRectF(56, 68, 144, 112), QColor(240, 240, 244), 8);
    c.p.fillRect(QRectF(56, 68, 144, 28), QColor(110, 70, 170));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(QColor(130, 90, 190));
    c.p.drawEllipse(QRectF(26, 100, 22, 48));
    c.p.drawEllipse(QRectF(208, 100, 22, 48));
    ridges(c, QRectF(76, 190, 104, 16), 1, QColor(150, 150, 160));
}

QPainterPath handheldCartridge()
{
    return polygon({{48, 16}, {178, 16}, {208, 46}, {208, 240}, {48, 240}});
}

void gameBoy(Canvas& c)
{
    body(c, handheldCartridge(), QColor(170, 170, 172));
    ridges(c, QRectF(64, 26, 100, 24), 2, QColor(120, 120, 124));
    panel(c, QRectF(66, 70, 124, 128), QColor(95, 95, 100), 6);
    panel(c, QRectF(78, 82, 100, 104), QColor(200, 215, 175), 4);
}

void gameBoyColor(Canvas& c)
{
    c.p.setPen(QPen(QColor(70, 20, 110), c.line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.p.setBrush(QColor(140, 60, 200, 150));
    c.p.drawPath(handheldCartridge());
    // The circuit board shows through the clear shell.
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(QColor(40, 120, 60, 200));
    c.p.drawRect(QRectF(72, 120, 112, 110));
    c.p.setBrush(QColor(20, 20, 20, 220));
    c.p.drawRect(QRectF(88, 140, 36, 30));
    c.p.drawRect(QRectF(136, 150, 32, 20));
    contacts(c, QRectF(76, 214, 104, 14), 8, QColor(225, 180, 60));
    panel(c, QRectF(70, 40, 116, 66), QColor(230, 225, 240), 4);
}

void gameBoyAdvance(Canvas& c)
{
    body(c, polygon({{16, 80}, {40, 56}, {216, 56}, {240, 80}, {240, 200}, {16, 200}}), QColor(72, 72, 112));
    panel(c, QRectF(56, 76, 144, 96), QColor(215, 215, 230), 6);
    c.p.fillRect(QRectF(56, 152, 144, 20), QColor(60, 90, 170));
}

void nintendo64(Canvas& c)
{
    body(c, polygon({{16, 236}, {16, 92}, {48, 36}, {208, 36}, {240, 92}, {240, 236}}), QColor(78, 78, 80));
    panel(c, QRectF(60, 70, 136, 100), QColor(230, 200, 60), 6);
    panel(c, QRectF(72, 82, 112, 60), QColor(40, 120, 200), 4);
    ridges(c, QRectF(40, 188, 176, 36), 3, QColor(50, 50, 52));
}

void nintendoDs(Canvas& c)
{
    body(c, polygon({{84, 56}, {184, 56}, {184, 204}, {72, 204}, {72, 68}}), QColor(225, 225, 228));
    contacts(c, QRectF(90, 62, 86, 18), 7, QColor(210, 170, 50));
    panel(c, QRectF(86, 96, 84, 92), QColor(50, 100, 200), 4);
}

void masterSystem(Canvas& c)
{
    body(c, rounded(QRectF(44, 12, 168, 232), 10), QColor(26, 26, 28));
    panel(c, QRectF(62, 36, 132, 132), QColor(235, 235, 235), 4);
    c.p.fillRect(QRectF(62, 36, 132, 40), QColor(210, 30, 30));
    ridges(c, QRectF(70, 190, 116, 40), 3, QColor(70, 70, 74));
}

void gameGear(Canvas& c)
{
    body(c, polygon({{20, 64}, {236, 64}, {236, 176}, {216, 196}, {40, 196}, {20, 176}}), QColor(30, 30, 32));
    panel(c, QRectF(40, 82, 150, 92), QColor(120, 120, 130), 4);
    c.p.fillRect(QRectF(40, 82, 150, 22), QColor(240, 190, 30));
    c.p.setPen(QPen(QColor(80, 80, 86), c.line));
    for (int x = 204; x <= 224; x += 10)
        c.p.drawLine(QPointF(x, 86), QPointF(x, 172));
}

void megaDrive(Canvas& c)
{
    body(c, polygon({{28, 60}, {60, 28}, {196, 28}, {228, 60}, {228, 228}, {28, 228}}), QColor(22, 22, 24));
    c.p.fillRect(QRectF(60, 36, 136, 12), QColor(212, 170, 60));
    panel(c, QRectF(52, 68, 152, 120), QColor(212, 170, 60), 4);
    panel(c, QRectF(62, 78, 132, 100), QColor(30, 30, 34), 3);
    ridges(c, QRectF(60, 198, 136, 20), 2, QColor(212, 170, 60));
}

void pcEngine(Canvas& c)
{
    body(c, rounded(QRectF(36, 76, 184, 108), 10), QColor(245, 245, 245));
    panel(c, QRectF(52, 92, 110, 76), QColor(230, 110, 40), 4);
    contacts(c, QRectF(176, 96, 30, 68), 3, QColor(205, 165, 50));
}

void playStation(Canvas& c)
{
    const QRectF disc(20, 20, 216, 216);
    QConicalGradient sheen(disc.center(), 30);
    sheen.setColorAt(0, QColor(20, 20, 26));
    sheen.setColorAt(0.2, QColor(60, 50, 90));
    sheen.setColorAt(0.45, QColor(15, 15, 20));
    sheen.setColorAt(0.7, QColor(40, 70, 90));
    sheen.setColorAt(1, QColor(20, 20, 26));
    c.p.setPen(QPen(QColor(0, 0, 0), c.line));
    c.p.setBrush(sheen);
    c.p.drawEllipse(disc);
    c.p.setBrush(QColor(190, 190, 200));
    c.p.drawEllipse(disc.center(), 40, 40);
    c.p.setCompositionMode(QPainter::CompositionMode_Clear);
    c.p.setPen(Qt::NoPen);
    c.p.drawEllipse(disc.center(), 14, 14);
    c.p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void atari2600(Canvas& c)
{
    body(c, polygon({{56, 20}, {200, 20}, {200, 140}, {220, 160}, {220, 236}, {36, 236}, {36, 160}, {56, 140}}),
         QColor(24, 24, 24));
    QLinearGradient wood(QPointF(64, 0), QPointF(192, 0));
    wood.setColorAt(0, QColor(150, 80, 30));
    wood.setColorAt(0.5, QColor(230, 130, 40));
    wood.setColorAt(1, QColor(150, 80, 30));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(wood);
    c.p.drawRect(QRectF(64, 36, 128, 88));
    c.p.setPen(QPen(QColor(110, 55, 20), c.line));
    for (int y = 56; y <= 104; y += 24)
        c.p.drawLine(QPointF(64, y), QPointF(192, y + 6));
    ridges(c, QRectF(56, 176, 144, 44), 3, QColor(70, 70, 70));
}

void atariLynx(Canvas& c)
{
    QPainterPath card = rounded(QRectF(28, 60, 200, 120), 8);
    card.addRoundedRect(QRectF(40, 150, 176, 50), 24, 24); // the curved lip
    body(c, card.simplified(), QColor(85, 85, 90));
    panel(c, QRectF(52, 76, 152, 70), QColor(235, 120, 30), 4);
}

void wonderSwan(Canvas& c)
{
    body(c, rounded(QRectF(60, 48, 136, 164), 12), QColor(40, 90, 200));
    panel(c, QRectF(76, 66, 104, 96), QColor(200, 220, 250), 4);
    ridges(c, QRectF(80, 176, 96, 24), 2, QColor(25, 60, 150));
}

void batterySave(Canvas& c)
{
    body(c, rounded(QRectF(16, 16, 224, 224), 20), QColor(40, 140, 70));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(QColor(205, 205, 210));
    for (int x = 52; x <= 172; x += 24) {
        c.p.drawRect(QRectF(x, 44, 12, 20));
        c.p.drawRect(QRectF(x, 128, 12, 20));
    }
    panel(c, QRectF(40, 60, 152, 72), QColor(28, 28, 30), 4);
    QRadialGradient coin(QPointF(168, 172), 56, QPointF(150, 152));
    coin.setColorAt(0, QColor(250, 250, 250));
    coin.setColorAt(1, QColor(140, 140, 150));
    c.p.setPen(QPen(QColor(70, 70, 80), c.line));
    c.p.setBrush(coin);
    c.p.drawEllipse(QPointF(168, 172), 52, 52);
    c.p.setPen(QPen(QColor(60, 60, 70), std::max(c.line, 10.0), Qt::SolidLine, Qt::RoundCap));
    c.p.drawLine(QPointF(148, 172), QPointF(188, 172));
    c.p.drawLine(QPointF(168, 152), QPointF(168, 192));
}

void saveState(Canvas& c)
{
    body(c, rounded(QRectF(20, 76, 216, 144), 18), QColor(60, 60, 66));
    body(c, rounded(QRectF(76, 52, 80, 36), 8), QColor(60, 60, 66));
    c.p.fillRect(QRectF(176, 92, 36, 22), QColor(240, 240, 200));
    QRadialGradient glass(QPointF(128, 150), 58, QPointF(112, 132));
    glass.setColorAt(0, QColor(140, 200, 255));
    glass.setColorAt(1, QColor(20, 50, 110));
    c.p.setPen(QPen(QColor(190, 190, 200), std::max(c.line, 10.0)));
    c.p.setBrush(glass);
    c.p.drawEllipse(QPointF(128, 150), 52, 52);
}

void memoryCard(Canvas& c)
{
    body(c, polygon({{56, 20}, {176, 20}, {200, 44}, {200, 236}, {56, 236}}), QColor(150, 150, 160));
    panel(c, QRectF(68, 28, 108, 28), QColor(40, 40, 44), 3);
    contacts(c, QRectF(72, 32, 100, 20), 8, QColor(215, 175, 55));
    panel(c, QRectF(72, 84, 112, 120), QColor(245, 245, 250), 4);
    c.p.fillRect(QRectF(72, 110, 112, 16), QColor(220, 40, 40));
    c.p.fillRect(QRectF(72, 134, 112, 16), QColor(40, 80, 200));
}

void floppyShape(Canvas& c, const QColor& colour)
{
    body(c, polygon({{24, 24}, {208, 24}, {232, 48}, {232, 232}, {24, 232}}), colour);
    panel(c, QRectF(72, 24, 112, 76), QColor(200, 200, 206), 2);
    c.p.fillRect(QRectF(140, 36, 24, 52), colour.darker(150));
    panel(c, QRectF(52, 132, 152, 100), QColor(245, 245, 240), 4);
}

void floppy(Canvas& c)
{
    floppyShape(c, QColor(35, 80, 170));
    ridges(c, QRectF(68, 150, 120, 64), 3, QColor(150, 150, 160));
}

void genericSave(Canvas& c)
{
    c.p.save();
    c.p.translate(40, 56);
    c.p.scale(0.78, 0.78);
    floppyShape(c, QColor(70, 70, 78));
    c.p.restore();
    body(c, polygon({{76, 8}, {148, 8}, {148, 72}, {186, 72}, {112, 150}, {38, 72}, {76, 72}}), QColor(40, 180, 60));
}

struct Design {
    const char* key;
    void (*paint)(Canvas&);
};

constexpr std::array<Design, 20> Designs{{
    {"nes", nes},
    {"snes", superNintendo},
    {"gameboy", gameBoy},
    {"gameboycolor", gameBoyColor},
    {"gameboyadvance", gameBoyAdvance},
    {"n64", nintendo64},
    {"ds", nintendoDs},
    {"mastersystem", masterSystem},
    {"gamegear", gameGear},
    {"megadrive", megaDrive},
    {"pcengine", pcEngine},
    {"playstation", playStation},
    {"atari2600", atari2600},
    {"lynx", atariLynx},
    {"wonderswan", wonderSwan},
    {"battery", batterySave},
    {"savestate", saveState},
    {"memorycard", memoryCard},
    {"floppy", floppy},
    {"save", genericSave},
}};

// The program's colours: an orange body, a dark brown outline and Z, a cream label.
const QColor kAppOrange(245, 130, 20);
const QColor kAppBrown(70, 32, 0);
const QColor kAppCream(252, 246, 228);
const QColor kAppGold(235, 190, 60);

void applicationIcon(Canvas& c)
{
    body(c, polygon({{44, 10}, {212, 10}, {226, 24}, {226, 196}, {210, 196}, {210, 244}, {46, 244}, {46, 196},
                     {30, 196}, {30, 24}}),
         kAppOrange);
    ridges(c, QRectF(72, 24, 112, 24), 2, kAppOrange.darker(150));
    panel(c, QRectF(52, 60, 152, 124), kAppCream, 10);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(kAppBrown);
    c.p.drawPath(polygon({{76, 76}, {180, 76}, {180, 100}, {114, 152}, {180, 152}, {180, 172}, {76, 172},
                          {76, 148}, {142, 96}, {76, 96}}));
    c.p.fillRect(QRectF(60, 206, 136, 38), kAppBrown);
    contacts(c, QRectF(64, 212, 128, 28), 6, kAppGold);
}

// The same cartridge on a 16-pixel grid: whole pixels only, so nothing blurs.
void applicationIconPixels(QPainter& p)
{
    p.fillRect(2, 0, 12, 13, kAppBrown);
    p.fillRect(3, 1, 10, 11, kAppOrange);
    p.fillRect(3, 13, 10, 3, kAppBrown);
    for (int x = 4; x <= 10; x += 2)
        p.fillRect(x, 14, 1, 2, kAppGold);
    p.fillRect(4, 3, 8, 8, kAppCream);
    p.fillRect(5, 4, 6, 1, kAppBrown);
    for (int step = 0; step < 4; ++step)
        p.fillRect(9 - step, 5 + step, 2, 1, kAppBrown);
    p.fillRect(5, 9, 6, 1, kAppBrown);
}

} // namespace

int IconPainter::count()
{
    return int(Designs.size());
}

QString IconPainter::key(int index)
{
    return QString::fromLatin1(Designs.at(size_t(index)).key);
}

void IconPainter::paintApplication(QPainter& painter, int size)
{
    painter.save();
    if (size <= 16) {
        painter.scale(size / 16.0, size / 16.0);
        applicationIconPixels(painter);
    } else {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / Units, size / Units);
        Canvas canvas{painter, std::max(6.0, Units / size)};
        applicationIcon(canvas);
    }
    painter.restore();
}

QImage IconPainter::paintApplication(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintApplication(painter, size);
    painter.end();
    return image;
}

QImage IconPainter::paint(int index, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / Units, size / Units);
    Canvas canvas{painter, std::max(6.0, Units / size)};
    Designs.at(size_t(index)).paint(canvas);
    painter.end();
    return image;
}

} // namespace icontools
