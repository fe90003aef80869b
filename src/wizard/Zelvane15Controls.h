// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the main window, laid out as designed (positions in twips, 15 to a pixel).
#pragma once

#include <array>

class ClickableLabel;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMainWindow;
class QPushButton;
class QStackedWidget;
class QWidget;

struct Zelvane15Controls {
    // About panel and its children.
    QLabel* P2 = nullptr;
    ClickableLabel* Lma = nullptr;
    ClickableLabel* Lad = nullptr;
    ClickableLabel* Protege = nullptr;
    QLabel* Cop = nullptr;
    QLabel* version = nullptr;
    QLabel* I1 = nullptr;
    // Language panel.
    ClickableLabel* P3 = nullptr;
    ClickableLabel* T01 = nullptr;
    ClickableLabel* T02 = nullptr;
    ClickableLabel* fr = nullptr;
    ClickableLabel* us = nullptr;
    // The wizard: the pages stacked in one place, exactly one shown.
    QWidget* P1 = nullptr;
    QStackedWidget* pages = nullptr;
    QGroupBox* F1 = nullptr;
    QGroupBox* F2 = nullptr;
    QGroupBox* F3 = nullptr;
    QGroupBox* F4 = nullptr;
    QGroupBox* F5 = nullptr;
    QComboBox* C1 = nullptr;
    QComboBox* C2 = nullptr;
    std::array<QCheckBox*, 4> romBoxes {};  // S1 to S4
    std::array<QCheckBox*, 4> saveBoxes {}; // S5 to S8
    QGroupBox* IR = nullptr;
    QGroupBox* IS = nullptr;
    ClickableLabel* Img = nullptr;
    ClickableLabel* Img2 = nullptr;
    QPushButton* Sui = nullptr;
    QPushButton* Pre = nullptr;
    QPushButton* Qu = nullptr;
    // Menus.
    QAction* nov = nullptr;
    QAction* xpt = nullptr;
    QAction* lng = nullptr;
    QAction* qui = nullptr;
    QAction* apr = nullptr;
};

// Creates every control of `window` with its design properties, its menus and its tab order.
Zelvane15Controls buildZelvane15Controls(QMainWindow* window);
// The first control of the wizard's `page` in the tab order that is enabled, or null.
QWidget* firstControl(const Zelvane15Controls& c, const QWidget* page);
