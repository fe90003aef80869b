// The association writer window: a message panel laid over the wizard, and an editor out of sight
// whose one write operation puts a key and its default value into the classes root.
#include "registry/Reg.h"

#include "catalogue/AnsiText.h"
#include "catalogue/Fileini.h"

#include <QCheckBox>
#include <QComboBox>
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

const QString kVerb = QStringLiteral("Jouer - Play");

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

Reg::Reg(QWidget* mainWindow, const SharedValues& shared, QString catalogueFile,
         platform::ClassesRoot& classesRoot)
    : m_mainWindow(mainWindow)
    , m_shared(shared)
    , m_catalogueFile(std::move(catalogueFile))
    , m_classesRoot(classesRoot)
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

QStringList Reg::failures(bool french) const
{
    QStringList texts;
    for (const platform::ClassesRootFailure& failure : m_failures)
        texts.append(french ? failure.french : failure.english);
    return texts;
}

void Reg::fail(const QString& english, const QString& french)
{
    m_failures.append({english, french});
}

// ---- The write operation --------------------------------------------------------------------

void Reg::Command6_Click()
{
    // The other four options stand for write modes this program never uses.
    if (!Action(3)->isChecked())
        return;
    const QString path = TextCle->text();
    platform::ClassesRoot::Key key = 0;
    if (const long status = m_classesRoot.createKey(path, &key); status != platform::StatusSuccess) {
        fail(QStringLiteral("The key HKEY_CLASSES_ROOT\\%1 could not be created (error %2).")
                 .arg(path).arg(status),
             QStringLiteral("La clé HKEY_CLASSES_ROOT\\%1 n'a pas pu être créée (erreur %2).")
                 .arg(path).arg(status));
        return;
    }
    if (const long status = m_classesRoot.setDefaultValue(key, TextDonnee->text());
        status != platform::StatusSuccess) {
        fail(QStringLiteral("The value of the key HKEY_CLASSES_ROOT\\%1 could not be set (error %2).")
                 .arg(path).arg(status),
             QStringLiteral("La valeur de la clé HKEY_CLASSES_ROOT\\%1 n'a pas pu être écrite (erreur %2).")
                 .arg(path).arg(status));
    }
    m_classesRoot.closeKey(key);
}

// ---- The timers -----------------------------------------------------------------------------

void Reg::Timer_Timer()
{
    C1_Click();
    C2_Click();
    C31_Click();
    C32_Click();
    C33_Click();
    C34_Click();
    C6_Click();
    C7_Click();
    C81_Click();
    C82_Click();
    C83_Click();
    C84_Click();
    C9_Click();
    m_failures += m_classesRoot.finishWrites(m_classesWritten);
    m_classesWritten.clear();
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

QString Reg::listText(const char* name) const
{
    const auto* list = m_mainWindow->findChild<QComboBox*>(QLatin1String(name));
    Q_ASSERT_X(list, "Reg", name);
    return list ? list->currentText() : QString();
}

bool Reg::boxChecked(const char* name) const
{
    const auto* box = m_mainWindow->findChild<QCheckBox*>(QLatin1String(name));
    Q_ASSERT_X(box, "Reg", name);
    return box && box->isChecked();
}

QString Reg::className(ClassKind kind) const
{
    return AnsiText::untilNul(kind == ClassKind::Rom ? m_shared.RomTypeName : m_shared.SaveTypeName);
}

// Puts the key path and the data into the editor, as the toolkit keeps them (up to the first
// NUL character), and writes.
void Reg::write(const QString& keyPath, const QString& data)
{
    TextCle->setText(AnsiText::untilNul(keyPath));
    TextDonnee->setText(AnsiText::untilNul(data));
    Command6_Click();
}

// Writes the key `subPath` below a class. Without a class name from the catalogue the path would
// name the classes root itself; the write is skipped and the user told once.
void Reg::writeClassKey(ClassKind kind, const QString& subPath, const QString& data)
{
    const QString name = className(kind);
    if (name.isEmpty()) {
        bool& told = m_missingClassTold[kind == ClassKind::Rom ? 0 : 1];
        if (!told) {
            const QString key = kind == ClassKind::Rom ? QStringLiteral("romname") : QStringLiteral("savname");
            fail(QStringLiteral("The catalogue gives this console no class name (\"%1\"); the keys "
                                "named after it were not written.").arg(key),
                 QStringLiteral("Le catalogue ne donne pas de nom de classe (« %1 ») à cette console ; "
                                "les clés qui portent ce nom n'ont pas été écrites.").arg(key));
            told = true;
        }
        return;
    }
    if (!m_classesWritten.contains(name))
        m_classesWritten.append(name);
    write(name + subPath, data);
}

// Registers one extension slot for every console number whose name is the chosen console's, in
// number order, reading the slot's catalogue value anew each time.
void Reg::writeExtensions(const char* catalogueKey, const char* box, ClassKind kind)
{
    for (int n = 1; n <= 15; ++n) {
        if (listText("C1") != m_shared.ConsoleNames[n - 1] || !boxChecked(box))
            continue;
        const QString extension = Fileini::GetIniString(Fileini::consoleNumber(n),
                                                        QLatin1String(catalogueKey), m_catalogueFile);
        write(QLatin1Char('.') + extension, className(kind));
    }
}

void Reg::C1_Click()
{
    writeClassKey(ClassKind::Rom, QString(), m_shared.RomTypeName);
    writeClassKey(ClassKind::Save, QString(), m_shared.SaveTypeName);
}

void Reg::C2_Click()
{
    writeClassKey(ClassKind::Rom, QStringLiteral("\\shell"), kVerb);
}

void Reg::C31_Click()
{
    writeExtensions("ext1", "S1", ClassKind::Rom);
}

void Reg::C32_Click()
{
    writeExtensions("ext2", "S2", ClassKind::Rom);
}

void Reg::C33_Click()
{
    writeExtensions("ext3", "S3", ClassKind::Rom);
}

void Reg::C34_Click()
{
    writeExtensions("ext4", "S4", ClassKind::Rom);
}

void Reg::C6_Click()
{
    write(listText("C1"), m_shared.RomTypeName);
}

void Reg::C7_Click()
{
    writeClassKey(ClassKind::Rom, QStringLiteral("\\shell\\") + kVerb + QStringLiteral("\\command"),
                  listText("C2"));
}

void Reg::C81_Click()
{
    writeExtensions("sav1", "S5", ClassKind::Save);
}

void Reg::C82_Click()
{
    writeExtensions("sav2", "S6", ClassKind::Save);
}

void Reg::C83_Click()
{
    writeExtensions("sav3", "S7", ClassKind::Save);
}

void Reg::C84_Click()
{
    writeExtensions("sav4", "S8", ClassKind::Save);
}

void Reg::C9_Click()
{
    writeClassKey(ClassKind::Rom, QStringLiteral("\\DefaultIcon"), m_shared.CartIconRef);
    writeClassKey(ClassKind::Save, QStringLiteral("\\DefaultIcon"), m_shared.SaveIconRef);
}
