// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What Qt's accessibility tells a screen reader of each page's controls, in the wizard's language
// and after a switch of language (the AT-SPI tree itself is read by atspi/accessibility_tree.py).
#include "WizardFixture.h"

#include <QAbstractItemView>
#include <QAccessible>

namespace {

class AccessibleNamesTest : public WizardFixture {
protected:
    // "<name>" or "<name> (<description>)" of each control, as its accessible interface says it.
    static QString said(QAccessibleInterface* control)
    {
        const QString description = control->text(QAccessible::Description);
        return control->text(QAccessible::Name) + (description.isEmpty() ? "" : " (" + description + ")");
    }
    QStringList said(const QStringList& names) const
    {
        QStringList texts;
        for (const QString& name : names)
            texts << said(QAccessible::queryAccessibleInterface(control(name)));
        return texts;
    }
};

TEST_F(AccessibleNamesTest, EveryControlIsNamedInTheWizardsLanguageAndFollowsASwitch)
{
    programsOnPath({"beta-emu"});
    const QStringList buttons = {"Qu", "Pre", "Sui"};
    const struct {
        const char* actions; // then what is said of `controls`
        QStringList controls, expected;
    } steps[] = {
        {"", {"fr", "us", "Qu", "Pre", "Sui"},
         {"Français (Le programme parlera français.)", "English (The program will speak English.)", "Quit", "Previous", "Next"}},
        {"fr", buttons + QStringList{"C1"}, {"Quitter", "Précédent", "Suivant", "Console"}},
        {"C1=1 Sui", {"S1", "S2", "S3", "S4"}, {"ROM .ba", "ROM .bb", "Aucune extension", "Aucune extension"}},
        {"Sui C2=0 Sui", {"S5", "S6"}, {"Sauvegardes .bs", "Aucune extension"}},
        {"Sui", buttons + QStringList{"Img", "Img2"},
         {"Quitter", "Précédent", "Terminer", "Icône des ROM : emul.dll, icône 1 (Ouvre le choix des icônes.)",
          "Icône des sauvegardes : emul.dll, icône 16 (Ouvre le choix des icônes.)"}},
        {"lng us", buttons + QStringList{"Img", "Img2"},
         {"Quit", "Previous", "Finish", "ROM icon: emul.dll, icon 1 (Opens the icon chooser.)",
          "Save state icon: emul.dll, icon 16 (Opens the icon chooser.)"}},
        {"Pre Pre", {"S1", "S2", "S3", "S4", "Sui"}, {".ba ROMs", ".bb ROMs", "No extension", "No extension", "Next"}},
        {"apr", {"Lad", "Lma"}, {ZELVANE_WEB_ADDRESS " (Opens Zelvane's web site.)", ZELVANE_MAIL_ADDRESS " (Writes an e-mail to the authors.)"}},
    };
    startIn(QString(), "Expert");
    for (const auto& step : steps) {
        SCOPED_TRACE(step.actions);
        act(step.actions);
        EXPECT_EQ(said(step.controls), step.expected);
    }
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(control<QComboBox>("C2")->view());
    QStringList emulators;
    for (int k = 0; k < list->childCount(); ++k)
        emulators << said(list->child(k));
    EXPECT_EQ(emulators, QStringList({"beta-emu \"%1\" (Program found: beta-emu)", "beta-two \"%1\" (Program not found: beta-two)",
                                        "No emulator", "No emulator", "No emulator", "No emulator"}));
}

} // namespace
