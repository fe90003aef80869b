// The app tests' fixture: a main window over a catalogue written by the test, with message boxes,
// the end of the program and the desktop answered by hooks; and the built program run as a shell runs it.
#include "WizardFixture.h"

#include "platform/ClassesRoot.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/Settings.h"
#include "platform/ShellOpen.h"

#include <QFile>
#include <QProcess>
#include <QStackedWidget>
#include <QTest>

const QByteArray kThreeConsoles = "[Console]\n01=Alpha\n02=Beta\n03=Gamma\n\n"
    "[01]\next1=aa\next2=ab\next3=ac\next4=ad\nromname=Alpha.Rom\nsavname=Alpha.Save\nemu1=alpha-emu \"%1\"\n"
    "emu2=alpha-emu --fast \"%1\"\nemu3=third \"%1\"\nemu4=fourth \"%1\"\nemu5=fifth \"%1\"\nemu6=sixth \"%1\"\n"
    "sav1=sa\nsav2=sb\nsav3=sc\nsav4=sd\ncartico=2\nsaveico=7\n\n"
    "[02]\next1=ba\next2=bb\nromname=Beta.Rom\nsavname=Beta.Save\nemu1=beta-emu \"%1\"\nemu2=beta-two \"%1\"\n"
    "sav1=bs\ncartico=1\nsaveico=16\n\n"
    "[03]\next1=ga\nromname=Gamma.Rom\nsavname=Gamma.Save\nemu1=\nsav1=gs\ncartico=3\nsaveico=15\n";

WizardFixture::WizardFixture()
{
    platform::setMessageBoxHook([this](const QString& text, int style, const QString& title) {
        messages << QStringLiteral("%1 %2: %3").arg(style).arg(title, text);
    });
    platform::setEndProgramHook([this] { ended = true; });
    platform::setShellOpenHook([this](const QString& target) { opened << target; });
    platform::setDesktopNotifyHook([](const QStringList&) { return QList<platform::ClassesRootFailure>(); });
}

WizardFixture::~WizardFixture()
{
    window.reset();
    platform::setMessageBoxHook({}), platform::setEndProgramHook({}), platform::setShellOpenHook({});
    platform::setDesktopNotifyHook({});
    qputenv("PATH", m_path);
}

void WizardFixture::storePreferences(const QString& language, const QString& level)
{
    for (const auto& [name, value] : {std::pair{"Langue", language}, {"Niveau", level}}) {
        if (!value.isNull())
            platform::SaveSetting("Zelvane", "Options", name, value);
    }
}

bool WizardFixture::startWizard()
{
    QFile::copy(ZELVANE_BIN_DIR "/Emul.icl", env.programDir() + "/Emul.icl");
    window = std::make_unique<Zelvane15>(env.programDir());
    return window->start();
}

void WizardFixture::startIn(const QString& language, const QString& level, const QByteArray& catalogue)
{
    writeCatalogue(catalogue);
    storePreferences(language, level);
    ASSERT_TRUE(startWizard());
}

void WizardFixture::act(const QString& actions) const
{
    for (const QString& action : actions.split(' ')) {
        if (action.contains('=')) {
            QComboBox* combo = control<QComboBox>(action.section('=', 0, 0));
            ASSERT_LT(action.section('=', 1).toInt(), combo->count()) << action.toStdString();
            combo->setFocus();
            // Each key press is a pick the list reports, as for a user.
            QTest::keyClick(combo, Qt::Key_Home);
            while (combo->currentIndex() < action.section('=', 1).toInt())
                QTest::keyClick(combo, Qt::Key_Down);
        } else if (QAction* item = window->findChild<QAction*>(action)) {
            item->trigger();
        } else if (QWidget* widget = control(action)) {
            QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        }
    }
}

QString WizardFixture::page() const { return control<QStackedWidget>("pages")->currentWidget()->objectName(); }

QString WizardFixture::state() const
{
    return page() + (button("Sui")->isEnabled() ? " N" : " -") + (button("Pre")->isEnabled() ? "P " : "- ") + button("Sui")->text();
}

QStringList WizardFixture::boxes(int first) const
{
    QStringList states;
    for (int k = first; k < first + 4; ++k) {
        const QCheckBox* b = control<QCheckBox>(QStringLiteral("S%1").arg(k));
        states << b->text() + (b->isChecked() ? ":on" : ":off") + (b->isEnabled() ? "" : ",disabled");
    }
    return states;
}

QStringList WizardFixture::items(const QString& list) const
{
    QStringList texts;
    for (int i = 0; i < control<QComboBox>(list)->count(); ++i)
        texts << control<QComboBox>(list)->itemText(i);
    return texts;
}

ProgramRun WizardFixture::runProgram(const QStringList& arguments, const char* platform, int waitMs)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    if (platform)
        environment.insert("QT_QPA_PLATFORM", platform);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(ZELVANE_BIN_DIR "/zelvane", arguments);
    const bool finished = program.waitForFinished(waitMs);
    program.kill();
    program.waitForFinished();
    return {!finished ? -1 : program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2,
            QString::fromLocal8Bit(program.readAllStandardOutput()), QString::fromLocal8Bit(program.readAllStandardError())};
}

QMap<QString, QByteArray> WizardFixture::filesBelow(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& path : desktoptest::filesBelow(folder))
        files.insert(path, TestEnvironment::readFile(path));
    return files;
}

void WizardFixture::programsOnPath(const QStringList& programs)
{
    for (const QString& program : programs) {
        TestEnvironment::writeFile(env.root() + "/bin/" + program, "#!/bin/sh\n");
        QFile::setPermissions(env.root() + "/bin/" + program, QFile::ReadOwner | QFile::ExeOwner);
    }
    qputenv("PATH", (env.root() + "/bin:").toLocal8Bit() + m_path);
}
