// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says of the main window's controls, in the wizard's language.
#include "wizard/AccessibleNames.h"

#include "wizard/ClickableLabel.h"
#include "wizard/SharedValues.h"
#include "wizard/Zelvane15Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QStackedWidget>

namespace {

using Text = AccessibleNames::Text;

#define ENGLISH(text) QT_TRANSLATE_NOOP("AccessibleNames", text)

// Every text the names are made of. The buttons' arrows are drawn with dashes, which a screen
// reader would spell out: their names go without.
constexpr Text kNext {"Suivant", ENGLISH("Next")};
constexpr Text kFinish {"Terminer", ENGLISH("Finish")};
constexpr Text kPrevious {"Précédent", ENGLISH("Previous")};
constexpr Text kQuit {"Quitter", ENGLISH("Quit")};
constexpr Text kConsoleList {"Console", ENGLISH("Video game platform")};
constexpr Text kEmulatorList {"Émulateur", ENGLISH("Emulator")};
constexpr Text kNoEmulator {"Aucun émulateur", ENGLISH("No emulator")};
constexpr Text kNoExtension {"Aucune extension", ENGLISH("No extension")};
constexpr Text kRomBox {"ROM %1", ENGLISH("%1 ROMs")};
constexpr Text kSaveBox {"Sauvegardes %1", ENGLISH("%1 save states")};
constexpr Text kOtherType {", aussi d'un autre type", ENGLISH(", also of another type")};
constexpr Text kRomIcon {"Icône des ROM", ENGLISH("ROM icon")};
constexpr Text kSaveIcon {"Icône des sauvegardes", ENGLISH("Save state icon")};
constexpr Text kIconOfLibrary {"%1 : %2, icône %3", ENGLISH("%1: %2, icon %3")};
constexpr Text kIconImage {"Ouvre le choix des icônes.", ENGLISH("Opens the icon chooser.")};
constexpr Text kWebLink {"Ouvre le site web de Zelvane.", ENGLISH("Opens Zelvane's web site.")};
constexpr Text kMailLink {"Écrit un courriel aux auteurs.", ENGLISH("Writes an e-mail to the authors.")};
constexpr Text kAboutPanel {"À propos de Zelvane", ENGLISH("About Zelvane")};
constexpr Text kCloseAboutPanel {"Fermer", ENGLISH("Close")};

#undef ENGLISH

// The caption of a box whose slot the catalogue leaves empty.
constexpr QLatin1StringView kEmptySlot("*.");

// Sets only what changed, so that a screen reader is not told of names that stayed.
void setName(QWidget* widget, const QString& name)
{
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

void setName(QWidget* widget, const QString& name, const QString& description)
{
    setName(widget, name);
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

} // namespace

QString AccessibleNames::say(const Text& text, bool french)
{
    return french ? QString::fromUtf8(text.french) : tr(text.english);
}

void AccessibleNames::name(const Zelvane15Controls& c, const SharedValues& shared, bool french)
{
    nameWizard(c, shared, french);
    nameLanguagePanel(c);
    nameAboutPanel(c, french);
}

QString AccessibleNames::noEmulator(bool french)
{
    return say(kNoEmulator, french);
}

void AccessibleNames::nameWizard(const Zelvane15Controls& c, const SharedValues& shared, bool french)
{
    setName(c.Sui, say(c.pages->currentWidget() == c.F5 ? kFinish : kNext, french));
    setName(c.Pre, say(kPrevious, french));
    setName(c.Qu, say(kQuit, french));
    // On Linux a list is named by its pick and labelled by its page's title; these names tell it
    // while nothing is picked, and elsewhere.
    setName(c.C1, say(kConsoleList, french));
    setName(c.C2, say(kEmulatorList, french));
    // The extension marks describe the boxes that show their warning.
    for (const auto& [boxes, save] : {std::pair{c.romBoxes, false}, std::pair{c.saveBoxes, true}})
        for (QCheckBox* box : boxes)
            setName(box, extensionBox(box->text(), save, !box->icon().isNull(), french));
    setName(c.Img, iconImage(shared.CartIconRef, false, french), say(kIconImage, french));
    setName(c.Img2, iconImage(shared.SaveIconRef, true, french), say(kIconImage, french));
}

// Each flag is named in its own language: whoever has to pick one may read only that one.
void AccessibleNames::nameLanguagePanel(const Zelvane15Controls& c)
{
    setName(c.fr, QStringLiteral("Français"), QStringLiteral("Le programme parlera français."));
    setName(c.us, QStringLiteral("English"), QStringLiteral("The program will speak English."));
}

void AccessibleNames::nameAboutPanel(const Zelvane15Controls& c, bool french)
{
    setName(c.P2, say(kAboutPanel, french));
    setName(c.I1, QStringLiteral("Zelvane"));
    setName(c.Protege, say(kCloseAboutPanel, french));
    setName(c.Lad, c.Lad->text(), say(kWebLink, french));
    setName(c.Lma, c.Lma->text(), say(kMailLink, french));
}

// `caption` is the box's "*.ext", read without its star; `otherType` when the box shows the
// warning that the desktop already gives its files a type, which its description names.
QString AccessibleNames::extensionBox(const QString& caption, bool save, bool otherType, bool french)
{
    if (caption == kEmptySlot || !caption.startsWith(kEmptySlot))
        return say(kNoExtension, french);
    QString name = say(save ? kSaveBox : kRomBox, french);
    if (otherType)
        name += say(kOtherType, french);
    return name.arg(caption.mid(1));
}

// `reference` is the icon's "library,index", empty before the icons page loads it.
QString AccessibleNames::iconImage(const QString& reference, bool save, bool french)
{
    const QString image = say(save ? kSaveIcon : kRomIcon, french);
    const qsizetype comma = reference.lastIndexOf(QLatin1Char(','));
    if (comma < 0 || comma == reference.size() - 1)
        return image;
    return say(kIconOfLibrary, french).arg(image, QFileInfo(reference.left(comma)).fileName(), reference.mid(comma + 1));
}
