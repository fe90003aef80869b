// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard window: start-up, the five pages and their loaders, language, level, About panel.
#include "wizard/Zelvane15.h"

#include "wizard/AboutPanel.h"
#include "wizard/AccessibleNames.h"
#include "wizard/Artwork.h"
#include "wizard/ClickableLabel.h"
#include "wizard/ExtensionMarks.h"
#include "catalogue/ConsoleOffer.h"
#include "catalogue/Fileini.h"
#include "wizard/Form1.h"
#include "platform/ClassesRoot.h"
#include "platform/widgets/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/CommandProgram.h"
#include "platform/ProgramFiles.h"
#include "platform/ProgramSearch.h"
#include "platform/Settings.h"
#include "platform/ShellOpen.h"
#include "wizard/Reg.h"
#include "wizard/WizardCaptions.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>

namespace {

const QString kApplication = QStringLiteral("Zelvane");
const QString kOptions = QStringLiteral("Options");
const QString kNovice = QStringLiteral("Novice");
const QString kExpert = QStringLiteral("Expert");

// Sets item `position` of `list`: replaces an existing item, appends at the end, and fails beyond
// it. The pick is left as it was, so a list nobody picked from keeps an empty text.
bool setListItem(QComboBox* list, int position, const QString& text)
{
    if (position < list->count()) {
        list->setItemText(position, text);
        return true;
    }
    if (position > list->count())
        return false;
    const int picked = list->currentIndex();
    list->addItem(text);
    list->setCurrentIndex(picked);
    return true;
}

} // namespace

Zelvane15::Zelvane15(QString programDirectory, ClassesRootOpener openClassesRoot)
    : m_programDirectory(std::move(programDirectory))
    , m_openClassesRoot(std::move(openClassesRoot))
    , c(buildZelvane15Controls(this))
{
    setObjectName(QStringLiteral("Zelvane15"));
    setWindowTitle(QStringLiteral(ZELVANE_CAPTION));
    setWindowIcon(Artwork::windowIcon());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connectHandlers();
}

Zelvane15::~Zelvane15()
{
    unloadForm1();
}

void Zelvane15::connectHandlers()
{
    connect(c.Sui, &QPushButton::clicked, this, &Zelvane15::Sui_Click);
    connect(c.Pre, &QPushButton::clicked, this, &Zelvane15::Pre_Click);
    connect(c.Qu, &QPushButton::clicked, this, &Zelvane15::Qu_Click);
    connect(c.C1, &QComboBox::activated, this, &Zelvane15::C1_Click);
    connect(c.C2, &QComboBox::activated, this, &Zelvane15::C2_Click);
    connect(c.nov, &QAction::triggered, this, &Zelvane15::nov_Click);
    connect(c.xpt, &QAction::triggered, this, &Zelvane15::xpt_Click);
    connect(c.lng, &QAction::triggered, this, &Zelvane15::lng_Click);
    connect(c.qui, &QAction::triggered, this, &Zelvane15::qui_Click);
    connect(c.apr, &QAction::triggered, this, &Zelvane15::apr_Click);
    connect(c.fr, &ClickableLabel::clicked, this, &Zelvane15::fr_Click);
    connect(c.us, &ClickableLabel::clicked, this, &Zelvane15::us_Click);
    connect(c.Protege, &ClickableLabel::clicked, this, &Zelvane15::Protege_Click);
    connect(c.Lad, &ClickableLabel::clicked, this, &Zelvane15::Lad_Click);
    connect(c.Lma, &ClickableLabel::clicked, this, &Zelvane15::Lma_Click);
    connect(c.Img, &ClickableLabel::clicked, this, &Zelvane15::Img_Click);
    connect(c.Img2, &ClickableLabel::clicked, this, &Zelvane15::Img2_Click);
    connect(c.Lad, &ClickableLabel::mouseMoved, this, &Zelvane15::Lad_MouseMove);
    connect(c.Lma, &ClickableLabel::mouseMoved, this, &Zelvane15::Lma_MouseMove);
    connect(c.Protege, &ClickableLabel::mouseMoved, this, &Zelvane15::Protege_MouseMove);
    for (ClickableLabel* flag : {c.fr, c.us})
        connect(flag, &ClickableLabel::mouseMoved, this, &Zelvane15::flag_MouseMove);
    for (ClickableLabel* panel : {c.P3, c.T01, c.T02})
        connect(panel, &ClickableLabel::mouseMoved, this, &Zelvane15::languagePanel_MouseMove);
}

// ---- Start-up and end -------------------------------------------------------------------------

bool Zelvane15::start()
{
    if (!Form_Load())
        return false;
    focusFront();
    show();
    return true;
}

bool Zelvane15::Form_Load()
{
    // The preferences come first and outside the failure path, so its message can speak French.
    sett_Click();
    sett2_Click();
    QString error;
    m_shared.SystemDir = platform::systemDirectory(&error);
    if (m_shared.SystemDir.isEmpty()
        || !platform::installIconLibrary(platform::joinPath(m_programDirectory, QStringLiteral("Emul.icl")),
                                         m_shared.SystemDir, &error)) {
        qWarning("zelvane: %s", qPrintable(error));
        startupError();
        return false;
    }
    return Lire_Ini1_Click();
}

void Zelvane15::startupError()
{
    platform::MsgBox(tr("Impossible to copy Emul.icl in your system directory.\n"
                        "Please let Emul.icl file in Zelvane directory."),
                     platform::MsgBoxCritical, tr("Error!"));
    m_ended = true;
    platform::EndProgram();
}

void Zelvane15::catalogueError()
{
    platform::MsgBox(QStringLiteral("Il y a une erreur dans le fichier INI!"), platform::MsgBoxOk,
                     QStringLiteral("Erreur"), isVisible() ? this : nullptr);
    m_ended = true;
    platform::EndProgram();
}

void Zelvane15::Form_Unload()
{
    m_ended = true;
    platform::EndProgram();
}

void Zelvane15::Qu_Click()
{
    Form_Unload();
}

void Zelvane15::qui_Click()
{
    Form_Unload();
}

void Zelvane15::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

bool Zelvane15::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

// Return is Next's (or that of the button holding the focus), as a dialog's default button's;
// Escape closes the About panel. A key that a control uses itself, such as Return in an open
// list, never gets here.
void Zelvane15::keyPressEvent(QKeyEvent* event)
{
    const bool plainReturn = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (event->key() == Qt::Key_Escape && !c.P2->isHidden()) {
        Protege_Click();
    } else if (plainReturn && c.P2->isHidden() && c.P3->isHidden()) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* button = focused ? focused : c.Sui;
        if (button->isEnabled())
            button->click();
    } else {
        QMainWindow::keyPressEvent(event);
    }
}

// The wizard's controls cannot be seen behind the language or About panel, so while one shows,
// Tab goes round its two controls only.
bool Zelvane15::focusNextPrevChild(bool next)
{
    if (c.P3->isHidden() && c.P2->isHidden())
        return QMainWindow::focusNextPrevChild(next);
    const auto [first, second] = c.P3->isHidden() ? std::pair{c.Lad, c.Lma} : std::pair{c.fr, c.us};
    (focusWidget() == first ? second : first)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void Zelvane15::focusFront()
{
    // Named before the focus moves, so that a screen reader announces the control as it is now.
    nameControls();
    QWidget* front = !c.P3->isHidden() ? c.fr
        : !c.P2->isHidden()            ? c.Lad
                                       : firstControl(c, c.pages->currentWidget());
    if (front)
        front->setFocus(Qt::OtherFocusReason);
}

void Zelvane15::nameControls()
{
    AccessibleNames::name(c, m_shared);
}

void Zelvane15::Form_Activate()
{
    unloadForm1();
}

// ---- Navigation -------------------------------------------------------------------------------

bool Zelvane15::isPage(const QWidget* page) const
{
    return c.pages->currentWidget() == page;
}

void Zelvane15::showPage(QWidget* page)
{
    c.pages->setCurrentWidget(page);
}

void Zelvane15::Sui_Click()
{
    const auto focus = qScopeGuard([this] { focusFront(); });
    c.Pre->setEnabled(true);
    if (isPage(c.F1)) {
        showPage(c.F2);
        Lire_Ini2_Click();
        if (!isNovice())
            return;
    }
    if (isPage(c.F2)) {
        showPage(c.F3);
        if (!Lire_Ini3_Click())
            return;
        if (c.C2->currentText().isEmpty())
            c.Sui->setEnabled(false);
        return;
    }
    if (isPage(c.F3)) {
        showPage(c.F4);
        Lire_Ini4_Click();
        if (!isNovice())
            return;
    }
    if (isPage(c.F4)) {
        showPage(c.F5);
        Lire_Ini5_Click();
        c.Sui->setText(tr("Finish"));
        return;
    }
    if (isPage(c.F5))
        Finish();
}

void Zelvane15::Pre_Click()
{
    const auto focus = qScopeGuard([this] { focusFront(); });
    if (isPage(c.F5)) {
        c.Sui->setText(tr("Next --->"));
        showPage(isNovice() ? c.F3 : c.F4);
    } else if (isPage(c.F4)) {
        showPage(c.F3);
    } else if (isPage(c.F3)) {
        showPage(isNovice() ? c.F1 : c.F2);
    } else if (isPage(c.F2)) {
        showPage(c.F1);
    }
    if (isPage(c.F1))
        c.Pre->setEnabled(false);
    c.Sui->setEnabled(true);
}

void Zelvane15::enableNextWhenPicked(const QComboBox* list)
{
    c.Sui->setEnabled(true);
    if (list->currentText().isEmpty())
        c.Sui->setEnabled(false);
}

void Zelvane15::C1_Click()
{
    enableNextWhenPicked(c.C1);
}

void Zelvane15::C2_Click()
{
    enableNextWhenPicked(c.C2);
}

registry::AssociationChoices Zelvane15::choices() const
{
    registry::AssociationChoices choices;
    choices.console = c.C1->currentText();
    choices.command = c.C2->currentText();
    for (std::size_t k = 0; k < 4; ++k) {
        choices.romSlots[k] = c.romBoxes[k]->isChecked();
        choices.saveSlots[k] = c.saveBoxes[k]->isChecked();
    }
    choices.romIcon = m_shared.CartIconRef;
    choices.saveIcon = m_shared.SaveIconRef;
    choices.romClass = m_shared.RomTypeName;
    choices.saveClass = m_shared.SaveTypeName;
    return choices;
}

void Zelvane15::Finish()
{
    showPage(c.F1);
    const std::unique_ptr<platform::ClassesRoot> classesRoot = m_openClassesRoot(catalogueFile());
    Reg reg(this, choices(), m_shared.ConsoleNames, catalogueFile(), *classesRoot);
    reg.L1->setText(tr("Writing in registry\nPlease Wait..."));
    c.Sui->setText(tr("Next --->"));
    c.Pre->setEnabled(false);
    reg.showModal();
    const QStringList failures = reg.failures(isFrench());
    const QStringList warnings = reg.warnings(isFrench());
    if (failures.isEmpty() && warnings.isEmpty())
        return;
    // Unlike the registry on Windows, a write that failed is told: it must not read as success;
    // and so is an association that was written but that the desktop will not follow.
    QStringList parts;
    if (!failures.isEmpty())
        parts << tr("These associations could not be written:\n")
                + failures.join(QLatin1Char('\n'));
    if (!warnings.isEmpty())
        parts << tr("These associations were written but may not work:\n")
                + warnings.join(QLatin1Char('\n'));
    if (failures.isEmpty())
        platform::MsgBox(parts.join(QStringLiteral("\n\n")), platform::MsgBoxExclamation,
                         tr("Warning"), this);
    else
        platform::MsgBox(parts.join(QStringLiteral("\n\n")), platform::MsgBoxCritical,
                         tr("Error!"), this);
}

// ---- Catalogue loaders ------------------------------------------------------------------------

QString Zelvane15::catalogueFile() const
{
    return Fileini::cataloguePath(m_programDirectory);
}

std::optional<registry::ConsoleOffer> Zelvane15::consoleOffer() const
{
    return registry::ConsoleOffer::read(c.C1->currentText(), m_shared.ConsoleNames, catalogueFile());
}

bool Zelvane15::Lire_Ini1_Click()
{
    m_shared.ConsoleNames = registry::ConsoleOffer::consoleNames(catalogueFile());
    for (int n = 1; n <= 15; ++n) {
        const QString& name = m_shared.ConsoleNames[n - 1];
        if (name != Fileini::IniEmpty() && !setListItem(c.C1, n - 1, name)) {
            catalogueError();
            return false;
        }
    }
    return true;
}

// Without a console offer the boxes keep their captions.
void Zelvane15::loadExtensionBoxes(const std::array<QCheckBox*, 4>& boxes, const std::array<QString, 4>* extensions)
{
    for (std::size_t k = 0; k < 4; ++k) {
        boxes[k]->setEnabled(true);
        boxes[k]->setChecked(false);
        if (extensions)
            boxes[k]->setText(QStringLiteral("*.") + (*extensions)[k]);
    }
    for (QCheckBox* box : boxes) {
        if (box->text() != QLatin1String("*."))
            box->setChecked(true);
        else
            box->setEnabled(false);
    }
    // The Novice never sees the pages: nothing is asked of the desktop for them.
    if (isNovice()) {
        ExtensionMarks::clear(boxes);
    } else if (extensions) {
        if (!m_extensionOwners)
            m_extensionOwners = platform::openExtensionOwners();
        ExtensionMarks::mark(boxes, *extensions, *m_extensionOwners, isFrench());
    }
}

void Zelvane15::Lire_Ini2_Click()
{
    const std::optional<registry::ConsoleOffer> offer = consoleOffer();
    if (offer) {
        m_shared.RomTypeName = offer->romClass;
        m_shared.SaveTypeName = offer->saveClass;
    }
    loadExtensionBoxes(c.romBoxes, offer ? &offer->romExtensions : nullptr);
}

bool Zelvane15::Lire_Ini3_Click()
{
    const std::optional<registry::ConsoleOffer> offer = consoleOffer();
    for (std::size_t k = 0; offer && k < offer->emulators.size(); ++k) {
        if (!setListItem(c.C2, int(k), offer->emulators[k])) {
            catalogueError();
            return false;
        }
    }
    markEmulators();
    return true;
}

// Each command of the list keeps its text, which is what Finish writes; a mark and a tip tell
// before Finish whether its program is found.
void Zelvane15::markEmulators()
{
    for (int k = 0; k < c.C2->count(); ++k) {
        const QString command = c.C2->itemText(k);
        const bool found = !command.isEmpty() && platform::commandProgramIsFound(command);
        const QString program = command.isEmpty() ? QString() : platform::commandProgramName(command);
        const QString tip = found ? tr("Program found: %1") : tr("Program not found: %1");
        const QVariant shownTip = command.isEmpty() ? QVariant() : QVariant(tip.arg(program));
        c.C2->setItemIcon(k, command.isEmpty() ? QIcon() : found ? Artwork::programFound() : Artwork::programMissing());
        c.C2->setItemData(k, shownTip, Qt::ToolTipRole);
        // A screen reader reads neither the mark nor the tip: the tip is the item's description,
        // and an empty slot, which says nothing, gets a name.
        c.C2->setItemData(k, shownTip, Qt::AccessibleDescriptionRole);
        c.C2->setItemData(k, command.isEmpty() ? QVariant(AccessibleNames::noEmulator()) : QVariant(),
                          Qt::AccessibleTextRole);
    }
}

void Zelvane15::Lire_Ini4_Click()
{
    const std::optional<registry::ConsoleOffer> offer = consoleOffer();
    loadExtensionBoxes(c.saveBoxes, offer ? &offer->saveExtensions : nullptr);
}

void Zelvane15::Lire_Ini5_Click()
{
    m_shared.IconWindowMode = 2;
    if (const std::optional<registry::ConsoleOffer> offer = consoleOffer()) {
        m_shared.CartIconIndex = offer->romIcon;
        m_shared.SaveIconIndex = offer->saveIcon;
    }
    showForm1();
}

// ---- Language, level and preferences ----------------------------------------------------------

void Zelvane15::sett_Click()
{
    m_sett = platform::GetSetting(kApplication, kOptions, QStringLiteral("Langue"));
    platform::translateInto(platform::speaksFrench());
    if (m_sett.isEmpty()) {
        c.apr->setEnabled(false);
        showLanguagePanel();
        c.lng->setEnabled(false);
        c.qui->setEnabled(false);
    }
    if (m_sett == QLatin1String("FR"))
        FRV_Click();
    if (m_sett == QLatin1String("US"))
        USV_Click();
}

void Zelvane15::sett2_Click()
{
    m_sett2 = platform::GetSetting(kApplication, kOptions, QStringLiteral("Niveau"));
    if (m_sett2.isEmpty())
        m_sett2 = kNovice;
    if (m_sett2 == kNovice)
        nov_Click();
    if (m_sett2 == kExpert)
        xpt_Click();
}

void Zelvane15::FRV_Click()
{
    WizardCaptions::showFrench(c);
}

void Zelvane15::USV_Click()
{
    WizardCaptions::showEnglish(c);
}

void Zelvane15::setLevel(const QString& level)
{
    c.nov->setChecked(level == kNovice);
    c.xpt->setChecked(level == kExpert);
    if (!platform::SaveSetting(kApplication, kOptions, QStringLiteral("Niveau"), level))
        qWarning("zelvane: the user level could not be stored");
    m_sett2 = level;
}

void Zelvane15::nov_Click()
{
    setLevel(kNovice);
}

void Zelvane15::xpt_Click()
{
    setLevel(kExpert);
}

void Zelvane15::showLanguagePanel()
{
    // The panels' pictures are painted when first shown, which keeps them out of every start-up.
    if (c.fr->pixmap().isNull()) {
        c.fr->setPixmap(Artwork::frenchFlag());
        c.us->setPixmap(Artwork::englishFlag());
    }
    c.P3->show();
}

void Zelvane15::lng_Click()
{
    showLanguagePanel();
    c.apr->setEnabled(false);
    c.lng->setEnabled(false);
    c.qui->setEnabled(false);
    focusFront();
}

void Zelvane15::chooseLanguage(const QString& code)
{
    if (!platform::SaveSetting(kApplication, kOptions, QStringLiteral("Langue"), code))
        qWarning("zelvane: the language could not be stored");
    m_sett = code;
    platform::translateInto(code == QLatin1String("FR"));
    if (code == QLatin1String("FR"))
        FRV_Click();
    else
        USV_Click();
    markEmulators();
    if (m_extensionOwners) {
        ExtensionMarks::describe(c.romBoxes, *m_extensionOwners, isFrench());
        ExtensionMarks::describe(c.saveBoxes, *m_extensionOwners, isFrench());
    }
    c.P3->hide();
    c.lng->setEnabled(true);
    c.apr->setEnabled(true);
    c.qui->setEnabled(true);
    setMousePointer(0);
    focusFront();
}

void Zelvane15::fr_Click()
{
    chooseLanguage(QStringLiteral("FR"));
}

void Zelvane15::us_Click()
{
    chooseLanguage(QStringLiteral("US"));
}

// ---- About panel, links, icon images and hover feedback ---------------------------------------

void Zelvane15::apr_Click()
{
    AboutPanel::toggle(c);
    focusFront();
}

void Zelvane15::Protege_Click()
{
    AboutPanel::hide(c);
    focusFront();
}

void Zelvane15::Lad_Click()
{
    platform::ShellExecuteOpen(QStringLiteral(ZELVANE_WEB_ADDRESS));
}

void Zelvane15::Lma_Click()
{
    platform::ShellExecuteOpen(QStringLiteral("mailto:" ZELVANE_MAIL_ADDRESS "?subject=Zelvane"));
}

void Zelvane15::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    if (pointer == 99) {
        static const QCursor hand = Artwork::handCursor();
        setCursor(hand);
    } else {
        unsetCursor();
    }
}

void Zelvane15::Lad_MouseMove()
{
    setMousePointer(99);
    AboutPanel::light(c, c.Lad);
}

void Zelvane15::Lma_MouseMove()
{
    setMousePointer(99);
    AboutPanel::light(c, c.Lma);
}

void Zelvane15::Protege_MouseMove()
{
    setMousePointer(0);
    AboutPanel::light(c, nullptr);
}

void Zelvane15::flag_MouseMove()
{
    setMousePointer(99);
}

void Zelvane15::languagePanel_MouseMove()
{
    setMousePointer(0);
}

void Zelvane15::Img_Click()
{
    m_shared.IconTarget = 1;
    m_shared.IconWindowMode = 1;
    showForm1();
}

void Zelvane15::Img2_Click()
{
    m_shared.IconTarget = 2;
    m_shared.IconWindowMode = 1;
    showForm1();
}

// ---- The icon window --------------------------------------------------------------------------

void Zelvane15::showForm1()
{
    // On Windows the icon window takes the focus, so the main window is activated (and unloads it)
    // before the next click can show it again; ours never takes the focus, so unload it here.
    unloadForm1();
    m_form1 = new Form1(m_shared, c.Img, c.Img2);
    m_form1->load();
    // The images now show the chosen icons.
    nameControls();
}

Form1* Zelvane15::form1() const
{
    return m_form1;
}

void Zelvane15::unloadForm1()
{
    if (m_form1)
        m_form1->unload();
}
