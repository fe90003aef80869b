// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The association writer window: a message panel laid over the wizard, and an editor out of sight
// whose one write operation puts a key and its default value into the classes root.
#include "wizard/Reg.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

constexpr int kTwipsPerPixel = 15;

// The timers tick every 16 ms, not at the 1 ms they ask for on Windows: a Windows timer cannot
// tick faster than the system clock (about 15.6 ms), so there the 21 ticks of the closing pause
// keep the message up for about a third of a second. Asking Qt for 1 ms would flash it.
constexpr int kTickMs = 16;
constexpr int kClosingTick = 21;

QRect twips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

// Where the main window's client area begins on the screen: below the menu bar of a main window.
QPoint clientOrigin(const QWidget* window)
{
    const auto* mainWindow = qobject_cast<const QMainWindow*>(window);
    const QWidget* client = mainWindow && mainWindow->centralWidget() ? mainWindow->centralWidget() : window;
    return client->mapToGlobal(QPoint(0, 0));
}

QPalette colours(const QWidget* widget, const QColor& text, const QColor& background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    return palette;
}

} // namespace

Reg::Reg(QWidget* mainWindow, const registry::AssociationChoices& choices,
         const std::array<QString, 15>& consoleNames, QString catalogueFile,
         platform::ClassesRoot& classesRoot)
    : m_mainWindow(mainWindow)
    , m_association(classesRoot, QStringLiteral("finish"), choices, consoleNames, std::move(catalogueFile))
{
    setObjectName(QStringLiteral("Reg"));
    setWindowTitle(QStringLiteral(ZELVANE_CAPTION));
    setFixedSize(twips(0, 0, 3465, 2025).size());
    buildControls();
    Form_Load();
    Timer->start(kTickMs);
}

Reg::~Reg() = default;

void Reg::buildControls()
{
    Pi1 = new QWidget(this);
    Pi1->setObjectName(QStringLiteral("Pi1"));
    Pi1->setGeometry(twips(0, 0, 3435, 1995));

    Shape1 = new QFrame(Pi1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twips(0, 0, 3390, 1950));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setLineWidth(4);
    Shape1->setPalette(colours(Shape1, QColor(255, 128, 0), Qt::black));
    Shape1->setAutoFillBackground(true);

    L1 = new QLabel(Pi1); // after Shape1, so in front of it
    L1->setObjectName(QStringLiteral("L1"));
    L1->setGeometry(twips(60, 480, 3255, 1425));
    L1->setPalette(colours(L1, Qt::white, Qt::black));
    L1->setAutoFillBackground(true);
    L1->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    L1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    L1->setWordWrap(true);

    // The editor lies below and to the right of the client area: only code drives it.
    const auto textBox = [this](const char* name, const QRect& geometry) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setGeometry(geometry);
        return box;
    };
    TextCle = textBox("TextCle", twips(30, 3360, 2775, 285));
    // The value-name box: nothing fills it, so every write goes to a key's default value.
    TextValeur = textBox("TextValeur", twips(30, 3960, 2415, 285));
    TextDonnee = textBox("TextDonnee", twips(30, 4260, 2415, 285));

    F1 = new QGroupBox(this);
    F1->setObjectName(QStringLiteral("F1"));
    F1->setGeometry(twips(5850, 0, 1785, 2175));
    for (int index = 1; index <= 5; ++index) {
        auto* option = new QRadioButton(F1);
        option->setObjectName(QStringLiteral("Action%1").arg(index));
        option->setGeometry(twips(120, 240 + (index - 1) * 360, 255, 255));
        m_action[index - 1] = option;
    }

    Command6 = new QPushButton(QStringLiteral("reg"), this);
    Command6->setObjectName(QStringLiteral("Command6"));
    Command6->setGeometry(twips(2580, 5640, 1485, 255));
    connect(Command6, &QPushButton::clicked, this, &Reg::Command6_Click);

    C1 = stepButton("C1", 0, &Reg::C1_Click);
    C2 = stepButton("C2", 1, &Reg::C2_Click);
    C31 = stepButton("C31", 2, &Reg::C31_Click);
    C32 = stepButton("C32", 3, &Reg::C32_Click);
    C33 = stepButton("C33", 4, &Reg::C33_Click);
    C34 = stepButton("C34", 5, &Reg::C34_Click);
    C6 = stepButton("C6", 6, &Reg::C6_Click);
    C7 = stepButton("C7", 7, &Reg::C7_Click);
    C81 = stepButton("C81", 8, &Reg::C81_Click);
    C82 = stepButton("C82", 9, &Reg::C82_Click);
    C83 = stepButton("C83", 10, &Reg::C83_Click);
    C84 = stepButton("C84", 11, &Reg::C84_Click);
    C9 = stepButton("C9", 12, &Reg::C9_Click);

    // Keys typed while the message shows must not reach the editor nor press one of its buttons.
    const auto children = findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (child != Pi1 && !Pi1->isAncestorOf(child))
            child->setFocusPolicy(Qt::NoFocus);
        if (auto* button = qobject_cast<QPushButton*>(child))
            button->setAutoDefault(false);
    }

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    connect(Timer, &QTimer::timeout, this, &Reg::Timer_Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    connect(Timer2, &QTimer::timeout, this, &Reg::Timer2_Timer);
}

QPushButton* Reg::stepButton(const char* name, int row, void (Reg::*handler)())
{
    auto* button = new QPushButton(QLatin1String(name + 1), this); // captioned with its digits
    button->setObjectName(QLatin1String(name));
    button->setGeometry(twips(4080, row * 300, 495, 255));
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

void Reg::Form_Load()
{
    // The panel has the size of the main window's client area and lies over it.
    setGeometry(QRect(clientOrigin(m_mainWindow), size()));
    // Create the key, then set its string value: the one write mode the program uses.
    Action(3)->setChecked(true);
}

QRadioButton* Reg::Action(int index) const
{
    return m_action.at(index - 1);
}

void Reg::showModal()
{
    // A window that already unloaded (its timers ran in an event loop before this call) has
    // nothing left to show; waiting for it would never end.
    if (!m_unloaded)
        exec();
}

void Reg::reject()
{
}

void Reg::unload()
{
    m_unloaded = true;
    done(QDialog::Accepted);
}

namespace {

QStringList inLanguage(const QList<platform::Failure>& texts, bool french)
{
    QStringList result;
    for (const platform::Failure& text : texts)
        result.append(french ? text.french : text.english);
    return result;
}

} // namespace

QStringList Reg::failures(bool french) const
{
    return inLanguage(m_association.change().failures(), french);
}

QStringList Reg::warnings(bool french) const
{
    return inLanguage(m_association.change().warnings(), french);
}

// ---- The write operation --------------------------------------------------------------------

void Reg::Command6_Click()
{
    // The other four options stand for write modes this program never uses.
    if (!Action(3)->isChecked())
        return;
    m_association.change().write(TextCle->text(), TextDonnee->text());
}

// ---- The timers -----------------------------------------------------------------------------

void Reg::Timer_Timer()
{
    // The steps in their order: each puts its writes into the editor and writes them.
    static constexpr std::array<void (Reg::*)(), registry::AssociationPlan::StepCount> handlers {
        &Reg::C1_Click, &Reg::C2_Click, &Reg::C31_Click, &Reg::C32_Click, &Reg::C33_Click,
        &Reg::C34_Click, &Reg::C6_Click, &Reg::C7_Click, &Reg::C81_Click, &Reg::C82_Click,
        &Reg::C83_Click, &Reg::C84_Click, &Reg::C9_Click};
    m_association.run([this](registry::AssociationPlan::Step step) { (this->*handlers[step])(); });
    Timer->stop();
    Timer2->start(kTickMs);
}

void Reg::Timer2_Timer()
{
    ++m_waitTicks;
    if (m_waitTicks < kClosingTick)
        return;
    m_waitTicks = 0;
    Timer->stop();
    Timer2->stop();
    unload();
}

// ---- The steps ------------------------------------------------------------------------------

// Puts each key path and its data into the editor and writes.
void Reg::runStep(registry::AssociationPlan::Step step)
{
    for (const registry::PlannedWrite& write : m_association.plan().writes(step)) {
        TextCle->setText(write.key);
        TextDonnee->setText(write.data);
        Command6_Click();
    }
}

void Reg::C1_Click()
{
    runStep(registry::AssociationPlan::Descriptions);
}

void Reg::C2_Click()
{
    runStep(registry::AssociationPlan::DefaultVerb);
}

void Reg::C31_Click()
{
    runStep(registry::AssociationPlan::RomExtension1);
}

void Reg::C32_Click()
{
    runStep(registry::AssociationPlan::RomExtension2);
}

void Reg::C33_Click()
{
    runStep(registry::AssociationPlan::RomExtension3);
}

void Reg::C34_Click()
{
    runStep(registry::AssociationPlan::RomExtension4);
}

void Reg::C6_Click()
{
    runStep(registry::AssociationPlan::ConsoleKey);
}

void Reg::C7_Click()
{
    runStep(registry::AssociationPlan::OpenCommand);
}

void Reg::C81_Click()
{
    runStep(registry::AssociationPlan::SaveExtension1);
}

void Reg::C82_Click()
{
    runStep(registry::AssociationPlan::SaveExtension2);
}

void Reg::C83_Click()
{
    runStep(registry::AssociationPlan::SaveExtension3);
}

void Reg::C84_Click()
{
    runStep(registry::AssociationPlan::SaveExtension4);
}

void Reg::C9_Click()
{
    runStep(registry::AssociationPlan::Icons);
}
