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

// Every text the names are made of. The buttons' arrows are drawn with dashes, which a screen
// reader would spell out: their names go without.
constexpr const char* kNext = QT_TRANSLATE_NOOP("AccessibleNames", "Next");
constexpr const char* kFinish = QT_TRANSLATE_NOOP("AccessibleNames", "Finish");
constexpr const char* kPrevious = QT_TRANSLATE_NOOP("AccessibleNames", "Previous");
constexpr const char* kQuit = QT_TRANSLATE_NOOP("AccessibleNames", "Quit");
constexpr const char* kConsoleList = QT_TRANSLATE_NOOP("AccessibleNames", "Video game platform");
constexpr const char* kEmulatorList = QT_TRANSLATE_NOOP("AccessibleNames", "Emulator");
constexpr const char* kNoEmulator = QT_TRANSLATE_NOOP("AccessibleNames", "No emulator");
constexpr const char* kNoExtension = QT_TRANSLATE_NOOP("AccessibleNames", "No extension");
constexpr const char* kRomBox = QT_TRANSLATE_NOOP("AccessibleNames", "%1 ROMs");
constexpr const char* kSaveBox = QT_TRANSLATE_NOOP("AccessibleNames", "%1 save states");
constexpr const char* kOtherType = QT_TRANSLATE_NOOP("AccessibleNames", ", also of another type");
constexpr const char* kRomIcon = QT_TRANSLATE_NOOP("AccessibleNames", "ROM icon");
constexpr const char* kSaveIcon = QT_TRANSLATE_NOOP("AccessibleNames", "Save state icon");
constexpr const char* kIconOfLibrary = QT_TRANSLATE_NOOP("AccessibleNames", "%1: %2, icon %3");
constexpr const char* kIconImage = QT_TRANSLATE_NOOP("AccessibleNames", "Opens the icon chooser.");
constexpr const char* kWebLink = QT_TRANSLATE_NOOP("AccessibleNames", "Opens Zelvane's web site.");
constexpr const char* kMailLink = QT_TRANSLATE_NOOP("AccessibleNames", "Writes an e-mail to the authors.");
constexpr const char* kAboutPanel = QT_TRANSLATE_NOOP("AccessibleNames", "About Zelvane");
constexpr const char* kCloseAboutPanel = QT_TRANSLATE_NOOP("AccessibleNames", "Close");

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

QString AccessibleNames::say(const char* text)
{
    return tr(text);
}

void AccessibleNames::name(const Zelvane15Controls& c, const SharedValues& shared)
{
    nameWizard(c, shared);
    nameLanguagePanel(c);
    nameAboutPanel(c);
}

QString AccessibleNames::noEmulator()
{
    return say(kNoEmulator);
}

void AccessibleNames::nameWizard(const Zelvane15Controls& c, const SharedValues& shared)
{
    setName(c.Sui, say(c.pages->currentWidget() == c.F5 ? kFinish : kNext));
    setName(c.Pre, say(kPrevious));
    setName(c.Qu, say(kQuit));
    // On Linux a list is named by its pick and labelled by its page's title; these names tell it
    // while nothing is picked, and elsewhere.
    setName(c.C1, say(kConsoleList));
    setName(c.C2, say(kEmulatorList));
    // The extension marks describe the boxes that show their warning.
    for (const auto& [boxes, save] : {std::pair{c.romBoxes, false}, std::pair{c.saveBoxes, true}})
        for (QCheckBox* box : boxes)
            setName(box, extensionBox(box->text(), save, !box->icon().isNull()));
    setName(c.Img, iconImage(shared.CartIconRef, false), say(kIconImage));
    setName(c.Img2, iconImage(shared.SaveIconRef, true), say(kIconImage));
}

// Each flag is named in its own language: whoever has to pick one may read only that one.
void AccessibleNames::nameLanguagePanel(const Zelvane15Controls& c)
{
    setName(c.fr, QStringLiteral("Français"), QStringLiteral("Le programme parlera français."));
    setName(c.us, QStringLiteral("English"), QStringLiteral("The program will speak English."));
}

void AccessibleNames::nameAboutPanel(const Zelvane15Controls& c)
{
    setName(c.P2, say(kAboutPanel));
    setName(c.I1, QStringLiteral("Zelvane"));
    setName(c.Protege, say(kCloseAboutPanel));
    setName(c.Lad, c.Lad->text(), say(kWebLink));
    setName(c.Lma, c.Lma->text(), say(kMailLink));
}

// `caption` is the box's "*.ext", read without its star; `otherType` when the box shows the
// warning that the desktop already gives its files a type, which its description names.
QString AccessibleNames::extensionBox(const QString& caption, bool save, bool otherType)
{
    if (caption == kEmptySlot || !caption.startsWith(kEmptySlot))
        return say(kNoExtension);
    QString name = say(save ? kSaveBox : kRomBox);
    if (otherType)
        name += say(kOtherType);
    return name.arg(caption.mid(1));
}

// `reference` is the icon's "library,index", empty before the icons page loads it.
QString AccessibleNames::iconImage(const QString& reference, bool save)
{
    const QString image = say(save ? kSaveIcon : kRomIcon);
    const qsizetype comma = reference.lastIndexOf(QLatin1Char(','));
    if (comma < 0 || comma == reference.size() - 1)
        return image;
    return say(kIconOfLibrary).arg(image, QFileInfo(reference.left(comma)).fileName(), reference.mid(comma + 1));
}
