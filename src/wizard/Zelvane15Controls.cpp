// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the main window, laid out as designed (positions in twips, 15 to a pixel).
#include "wizard/Zelvane15Controls.h"

#include "wizard/FocusableLabel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>

namespace {

constexpr int kTwipsPerPixel = 15;

template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                        height / kTwipsPerPixel);
    return widget;
}

QFont arial(bool underline)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    font.setUnderline(underline);
    return font;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void buildAboutPanel(Zelvane15Controls& c, QWidget* client)
{
    c.P2 = place(new QLabel(client), "P2", 0, 0, 3435, 1995);
    setBackground(c.P2, Qt::black);
    c.P2->hide();
    // Created back to front: a later sibling lies in front of an earlier one.
    c.I1 = place(new QLabel(c.P2), "I1", 300, 120, 2775, 600);
    c.version = place(new QLabel(QStringLiteral("V1.51"), c.P2), "version", 2280, 660, 1095, 255);
    QFont sansSerif(QStringLiteral("MS Sans Serif"));
    sansSerif.setPointSizeF(8.25);
    sansSerif.setBold(true);
    c.version->setFont(sansSerif);
    c.version->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(c.version, Qt::white);
    c.Cop = place(new QLabel(QStringLiteral(ZELVANE_OWNERSHIP), c.P2), "Cop", 180, 1620, 3015, 255);
    c.Cop->setFont(arial(false));
    setTextColour(c.Cop, Qt::white);
    c.Protege = place(new ClickableLabel(c.P2), "Protege", -120, -120, 4335, 2775);
    c.Lad = place(new FocusableLabel(c.P2), "Lad", 240, 840, 2205, 255);
    c.Lad->setText(QStringLiteral(ZELVANE_WEB_ADDRESS));
    c.Lma = place(new FocusableLabel(c.P2), "Lma", 240, 1080, 1965, 255);
    c.Lma->setText(QStringLiteral(ZELVANE_MAIL_ADDRESS));
    for (QLabel* link : {static_cast<QLabel*>(c.Lad), static_cast<QLabel*>(c.Lma)}) {
        link->setFont(arial(true));
        setTextColour(link, QColor(255, 128, 0));
    }
}

void buildLanguagePanel(Zelvane15Controls& c, QWidget* client)
{
    c.P3 = place(new ClickableLabel(client), "P3", 0, 0, 3435, 1995);
    c.P3->setAutoFillBackground(true);
    c.P3->hide();
    c.fr = place(new FocusableLabel(c.P3), "fr", 960, 840, 480, 330);
    c.us = place(new FocusableLabel(c.P3), "us", 1920, 840, 480, 330);
    c.T01 = place(new ClickableLabel(c.P3), "T01", 300, 420, 2715, 255);
    c.T01->setText(QStringLiteral("Sélectionner votre langue."));
    c.T02 = place(new ClickableLabel(c.P3), "T02", 300, 1380, 2715, 255);
    c.T02->setText(QStringLiteral("Select your language."));
    for (QLabel* label : {static_cast<QLabel*>(c.T01), static_cast<QLabel*>(c.T02)})
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

QGroupBox* page(Zelvane15Controls& c, const char* name)
{
    auto* frame = new QGroupBox(c.pages);
    frame->setObjectName(QLatin1String(name));
    c.pages->addWidget(frame);
    return frame;
}

QComboBox* pickOnlyList(QWidget* parent, const char* name)
{
    auto* list = place(new QComboBox(parent), name, 120, 600, 2895, 315);
    list->setEditable(false);
    return list;
}

void buildExtensionBoxes(std::array<QCheckBox*, 4>& boxes, QWidget* frame, int firstNumber)
{
    // Both pages: the first two boxes in the left column, the other two in the right one.
    static constexpr int kLeft[4] = {240, 240, 1680, 1680};
    static constexpr int kTop[4] = {360, 840, 360, 840};
    for (int k = 0; k < 4; ++k) {
        const QByteArray name = "S" + QByteArray::number(firstNumber + k);
        boxes[k] = place(new QCheckBox(frame), name.constData(), kLeft[k], kTop[k], 1065, 255);
    }
}

void buildIconsPage(Zelvane15Controls& c)
{
    setBackground(c.F5, QColor(192, 192, 192));
    c.IR = place(new QGroupBox(QStringLiteral("Roms"), c.F5), "IR", 600, 240, 735, 825);
    c.Img = place(new FocusableLabel(c.IR), "Img", 120, 210, 555, 555);
    c.IS = place(new QGroupBox(QStringLiteral("Saves"), c.F5), "IS", 1800, 240, 735, 825);
    c.Img2 = place(new FocusableLabel(c.IS), "Img2", 120, 210, 555, 555);
}

void buildWizard(Zelvane15Controls& c, QWidget* client)
{
    c.P1 = place(new QWidget(client), "P1", 0, 0, 3435, 1995);
    c.pages = place(new QStackedWidget(c.P1), "pages", 120, 120, 3135, 1455);
    c.F1 = page(c, "F1");
    c.F2 = page(c, "F2");
    c.F3 = page(c, "F3");
    c.F4 = page(c, "F4");
    c.F5 = page(c, "F5");
    c.C1 = pickOnlyList(c.F1, "C1");
    buildExtensionBoxes(c.romBoxes, c.F2, 1);
    c.C2 = pickOnlyList(c.F3, "C2");
    buildExtensionBoxes(c.saveBoxes, c.F4, 5);
    buildIconsPage(c);
    c.pages->setCurrentWidget(c.F1);
    c.Qu = place(new QPushButton(c.P1), "Qu", 120, 1620, 675, 285);
    c.Pre = place(new QPushButton(c.P1), "Pre", 900, 1620, 1155, 285);
    c.Sui = place(new QPushButton(c.P1), "Sui", 2100, 1620, 1155, 285);
    c.Pre->setEnabled(false);
    c.Sui->setEnabled(false);
}

QAction* menuItem(QMenu* menu, const char* name, const QString& caption,
                  const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

void buildMenus(Zelvane15Controls& c, QMainWindow* window)
{
    QMenu* opt = window->menuBar()->addMenu(QStringLiteral("&Options"));
    opt->setObjectName(QStringLiteral("opt"));
    c.nov = menuItem(opt, "nov", QStringLiteral("&Novice"));
    c.xpt = menuItem(opt, "xpt", QStringLiteral("&Expert"));
    c.nov->setCheckable(true);
    c.xpt->setCheckable(true);
    opt->addSeparator()->setObjectName(QStringLiteral("tr"));
    c.lng = menuItem(opt, "lng", QStringLiteral("&Language"), QKeySequence(Qt::CTRL | Qt::Key_L));
    opt->addSeparator()->setObjectName(QStringLiteral("tr2"));
    c.qui = menuItem(opt, "qui", QStringLiteral("&Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu* pi = window->menuBar()->addMenu(QStringLiteral("&?"));
    pi->setObjectName(QStringLiteral("pi"));
    c.apr = menuItem(pi, "apr", QStringLiteral("&A Propos"), QKeySequence(Qt::CTRL | Qt::Key_A));
}

// Each page's controls in reading order, row by row (the extension boxes stand two to a row),
// then the wizard's buttons as they stand from left to right.
std::array<QWidget*, 15> wizardOrder(const Zelvane15Controls& c)
{
    return {c.C1, c.romBoxes[0], c.romBoxes[2], c.romBoxes[1], c.romBoxes[3],
            c.C2, c.saveBoxes[0], c.saveBoxes[2], c.saveBoxes[1], c.saveBoxes[3],
            c.Img, c.Img2, c.Qu, c.Pre, c.Sui};
}

void setTabOrder(const Zelvane15Controls& c)
{
    const auto order = wizardOrder(c);
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    QWidget::setTabOrder(c.fr, c.us);
    QWidget::setTabOrder(c.Lad, c.Lma);
}

} // namespace

Zelvane15Controls buildZelvane15Controls(QMainWindow* window)
{
    Zelvane15Controls c;
    // The design's controls are sized for an 8-point face of Arial's width; fontconfig stands in
    // a metric-compatible face where Arial itself is missing.
    QFont small(QStringLiteral("Arial"));
    small.setPointSizeF(8);
    window->setFont(small);
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(3435 / kTwipsPerPixel, 1995 / kTwipsPerPixel);
    window->setCentralWidget(client);
    // Back to front: the wizard, then the language panel, then the About panel in front.
    buildWizard(c, client);
    buildLanguagePanel(c, client);
    buildAboutPanel(c, client);
    buildMenus(c, window);
    setTabOrder(c);
    return c;
}

QWidget* firstControl(const Zelvane15Controls& c, const QWidget* page)
{
    for (QWidget* control : wizardOrder(c))
        if (page->isAncestorOf(control) && control->isEnabled())
            return control;
    return nullptr;
}
