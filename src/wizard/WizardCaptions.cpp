// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The captions of the main window's pages, menus and buttons in each of the wizard's languages.
#include "wizard/WizardCaptions.h"

#include "wizard/Zelvane15Controls.h"

#include <QAction>
#include <QGroupBox>
#include <QPushButton>

namespace WizardCaptions {

namespace {

// One language's captions, each named after the control that shows it.
struct CaptionTable {
    const char* F1;
    const char* F2;
    const char* F3;
    const char* F4;
    const char* F5;
    const char* lng;
    const char* qui;
    const char* apr;
    const char* Qu;
    const char* Pre;
    const char* Sui;
};

void show(const Zelvane15Controls& c, const CaptionTable& table)
{
    c.F1->setTitle(QString::fromUtf8(table.F1));
    c.F2->setTitle(QString::fromUtf8(table.F2));
    c.F3->setTitle(QString::fromUtf8(table.F3));
    c.F4->setTitle(QString::fromUtf8(table.F4));
    c.F5->setTitle(QString::fromUtf8(table.F5));
    c.lng->setText(QString::fromUtf8(table.lng));
    c.qui->setText(QString::fromUtf8(table.qui));
    c.apr->setText(QString::fromUtf8(table.apr));
    c.Qu->setText(QString::fromUtf8(table.Qu));
    c.Pre->setText(QString::fromUtf8(table.Pre));
    c.Sui->setText(QString::fromUtf8(table.Sui));
}

} // namespace

void showFrench(const Zelvane15Controls& c)
{
    static constexpr CaptionTable french = {
        "Choisissez une console", "Extensions des Roms", "Choisissez un Emulateur",
        "Extensions des Sauvegardes", "Choisissez les icônes", "Langage", "Quitter", "A Propos",
        "Quitter", "<--- Précédent", "Suivant --->"};
    show(c, french);
}

void showEnglish(const Zelvane15Controls& c)
{
    static constexpr CaptionTable english = {
        "Select a Video Game Platform", "Roms Extensions", "Select an Emulator", "Saves Extensions",
        "Select icons", "Language", "Quit", "About", "Quit", "<--- Previous", "Next --->"};
    show(c, english);
}

} // namespace WizardCaptions
