// A main window over a catalogue written by the test, with message boxes and the end of the
// program answered by hooks, and the controls reached by their object names.
#include "WizardFixture.h"

#include "platform/ClassesRoot.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/Settings.h"
#include "platform/ShellOpen.h"

#include <QFile>
#include <QStackedWidget>
#include <QTest>

const QByteArray kThreeConsoles = R"([Console]
01=Alpha
02=Beta
03=Gamma

[01]
ext1=aa
ext2=ab
ext3=ac
ext4=ad
romname=Alpha.Rom
savname=Alpha.Save
emu1=alpha-emu "%1"
emu2=alpha-emu --fast "%1"
emu3=third "%1"
emu4=fourth "%1"
emu5=fifth "%1"
emu6=sixth "%1"
sav1=sa
sav2=sb
sav3=sc
sav4=sd
cartico=2
saveico=7

[02]
ext1=ba
ext2=bb
romname=Beta.Rom
savname=Beta.Save
emu1=beta-emu "%1"
emu2=beta-two "%1"
sav1=bs
cartico=1
saveico=16

[03]
ext1=ga
romname=Gamma.Rom
savname=Gamma.Save
emu1=
sav1=gs
cartico=3
saveico=15
)";

WizardFixture::WizardFixture()
{
    platform::setMessageBoxHook([this](const QString& text, int style, const QString& title) {
        messages.append({text, style, title});
    });
    platform::setEndProgramHook([this] { ended = true; });
    platform::setShellOpenHook([this](const QString& target) { opened.append(target); });
    platform::setDesktopNotifyHook([](const QStringList&) { return QList<platform::ClassesRootFailure>(); });
}

WizardFixture::~WizardFixture()
{
    window.reset();
    platform::setMessageBoxHook({});
    platform::setEndProgramHook({});
    platform::setShellOpenHook({});
    platform::setDesktopNotifyHook({});
}

void WizardFixture::writeCatalogue(const QByteArray& text)
{
    TestEnvironment::writeFile(env.programDir() + "/Zelvane.ini", text);
}

void WizardFixture::writeShippedIconLibrary()
{
    QFile::remove(env.programDir() + "/Emul.icl");
    ASSERT_TRUE(QFile::copy(ZELVANE_BIN_DIR "/Emul.icl", env.programDir() + "/Emul.icl"));
}

void WizardFixture::storePreferences(const QString& language, const QString& level)
{
    if (!language.isNull())
        platform::SaveSetting("Zelvane", "Options", "Langue", language);
    if (!level.isNull())
        platform::SaveSetting("Zelvane", "Options", "Niveau", level);
}

bool WizardFixture::startWizard()
{
    if (!QFile::exists(env.programDir() + "/Emul.icl"))
        writeShippedIconLibrary();
    window = std::make_unique<Zelvane15>(env.programDir());
    return window->start();
}

void WizardFixture::click(const char* name) const
{
    QWidget* widget = control<QWidget>(name);
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void WizardFixture::pick(const char* listName, int index) const
{
    QComboBox* combo = list(listName);
    ASSERT_NE(combo, nullptr);
    ASSERT_LT(index, combo->count());
    combo->setFocus();
    // The keyboard picks the way a user does: each step is a pick that the list reports.
    QTest::keyClick(combo, Qt::Key_Home);
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
}

void WizardFixture::walkToTheLastPage(int console) const
{
    pick("C1", console);
    click("Sui");
    click("Sui");
    pick("C2", 0);
    click("Sui");
    click("Sui");
    ASSERT_EQ(page(), "F5");
}

QString WizardFixture::page() const
{
    return control<QStackedWidget>("pages")->currentWidget()->objectName();
}
