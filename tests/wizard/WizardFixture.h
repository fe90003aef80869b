// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The app tests' fixture: a main window over a catalogue written by the test, with message boxes and
// the end of the program answered by hooks, the desktop by a stand-in; and the built program run as a shell runs it.
#pragma once

#include "RegistryTestSupport.h"
#include "wizard/Zelvane15.h"
#include "platform/ClassesRoot.h"
#include "platform/widgets/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/Settings.h"
#include "platform/ShellOpen.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <memory>

// How the program ended: status -1 when it was still running, -2 when it crashed.
struct ProgramRun { int status = -1; QString output, error; };

// A catalogue with three consoles, enough for every page.
inline const QByteArray kThreeConsoles = "[Console]\n01=Alpha\n02=Beta\n03=Gamma\n[01]\next1=aa\next2=ab\next3=ac\next4=ad\n"
    "romname=Alpha.Rom\nsavname=Alpha.Save\nemu1=alpha-emu \"%1\"\nemu2=alpha-emu --fast \"%1\"\nemu3=third \"%1\"\nemu4=fourth \"%1\"\n"
    "emu5=fifth \"%1\"\nemu6=sixth \"%1\"\nsav1=sa\nsav2=sb\nsav3=sc\nsav4=sd\ncartico=2\nsaveico=7\n[02]\next1=ba\next2=bb\nromname=Beta.Rom\n"
    "savname=Beta.Save\nemu1=beta-emu \"%1\"\nemu2=beta-two \"%1\"\nsav1=bs\ncartico=1\nsaveico=16\n[03]\next1=ga\nromname=Gamma.Rom\n"
    "savname=Gamma.Save\nemu1=\nsav1=gs\ncartico=3\nsaveico=15\n";

class WizardFixture : public ::testing::Test {
protected:
    WizardFixture()
    {
        platform::setMessageBoxHook([this](const QString& text, int style, const QString& title) { messages << QStringLiteral("%1 %2: %3").arg(style).arg(title, text); });
        platform::setEndProgramHook([this] { ended = true; }), platform::setShellOpenHook([this](const QString& target) { opened << target; });
    }
    ~WizardFixture() override
    {
        window.reset();
        platform::setMessageBoxHook({}), platform::setEndProgramHook({}), platform::setShellOpenHook({});
    }

    // The user's own catalogue, which the command line reads too.
    void writeUserCatalogue(const QByteArray& text) const { TestEnvironment::writeFile(env.configHome() + "/Zelvane/Zelvane.ini", text); }
    static void storePreferences(const QString& language, const QString& level)
    {
        for (const auto& [name, value] : {std::pair{"Langue", language}, {"Niveau", level}})
            if (!value.isNull())
                platform::SaveSetting("Zelvane", "Options", name, value);
    }
    // Builds the main window over `programDir`, with the shipped icon library beside it when `library`,
    // and runs its start-up; its Finish tells `desktop`, when set, instead of the desktop.
    bool startWizard(const QString& programDir, bool library = true)
    {
        if (library)
            QFile::copy(ZELVANE_BIN_DIR "/Emul.icl", programDir + "/Emul.icl");
        window = std::make_unique<Zelvane15>(programDir, [this](const QString& catalogueFile) { return platform::openClassesRoot(catalogueFile, desktop); });
        return window->start();
    }
    // `catalogue` beside the program, the preferences, and a start that shows the window.
    void startIn(const QString& language, const QString& level, const QByteArray& catalogue = kThreeConsoles)
    {
        TestEnvironment::writeFile(env.programDir() + "/Zelvane.ini", catalogue);
        storePreferences(language, level);
        ASSERT_TRUE(startWizard(env.programDir()));
    }

    template <typename T = QWidget> T* control(const QString& name) const
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
        return found;
    }
    QAction* menu(const QString& name) const { return control<QAction>(name); }
    QPushButton* button(const QString& name) const { return control<QPushButton>(name); }
    bool shown(const QString& name) const { return !control(name)->isHidden(); }

    // What the user does, one word an action: "C1=2" picks item 2 of a list with the keyboard, a
    // menu item's name triggers it, any other name clicks that control.
    void act(const QString& actions) const
    {
        for (const QString& action : actions.split(' ', Qt::SkipEmptyParts)) {
            if (action.contains('=')) {
                QComboBox* combo = control<QComboBox>(action.section('=', 0, 0));
                const int item = action.section('=', 1).toInt();
                ASSERT_LT(item, combo->count()) << action.toStdString();
                combo->setFocus();
                // Each key press is a pick the list reports, as for a user.
                QTest::keyClick(combo, Qt::Key_Home);
                while (combo->currentIndex() < item)
                    QTest::keyClick(combo, Qt::Key_Down);
            } else if (QAction* item = window->findChild<QAction*>(action)) {
                item->trigger();
            } else if (QWidget* widget = control(action)) {
                QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
            }
        }
    }
    // Presses each key of `keys` ("Down Return Shift+Tab", as QKeySequence names them) as the
    // keyboard does: in the window that has the focus (else the modal one, else the wizard), where
    // its focus widget, or the pop-up open in it, gets the key.
    void press(const QString& keys) const
    {
        for (const QString& name : keys.split(' ', Qt::SkipEmptyParts)) {
            const QKeyCombination key = QKeySequence(name)[0];
            QWidget* modal = QApplication::activeModalWidget();
            QWindow* target = QGuiApplication::focusWindow() ? QGuiApplication::focusWindow()
                                                             : (modal ? modal : window.get())->windowHandle();
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
        }
    }
    // The name of the control that has the keyboard focus.
    static QString focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("(none)"); }
    QString page() const { return control<QStackedWidget>("pages")->currentWidget()->objectName(); } // "F1" to "F5"
    // "<page> <N if Next is enabled, else -><P if Previous is enabled, else -> <Next's caption>".
    QString state() const { return page() + (button("Sui")->isEnabled() ? " N" : " -") + (button("Pre")->isEnabled() ? "P " : "- ") + button("Sui")->text(); }
    // The four boxes from S<first>: "<caption>:on" or ":off", with ",disabled", and " ! <tooltip>"
    // when marked as of a type an application opens (a mark is its icon and its tooltip together).
    QStringList boxes(int first) const
    {
        QStringList states;
        for (int k = first; k < first + 4; ++k) {
            const QCheckBox* b = control<QCheckBox>(QStringLiteral("S%1").arg(k));
            EXPECT_EQ(b->icon().isNull(), b->toolTip().isEmpty()) << "S" << k;
            states << b->text() + (b->isChecked() ? ":on" : ":off") + (b->isEnabled() ? "" : ",disabled")
                          + (b->toolTip().isEmpty() ? "" : " ! " + b->toolTip());
        }
        return states;
    }
    QStringList items(const QString& list) const
    {
        QStringList texts;
        for (const QComboBox* combo = control<QComboBox>(list); texts.size() < combo->count();)
            texts << combo->itemText(texts.size());
        return texts;
    }
    // For each "path" or "path = value" of `keys`: "path = <its default value>" if the user's hive holds the key, else "path".
    QStringList held(const QStringList& keys) const
    {
        const registry::RegistryHive hive = QFile::exists(env.hiveFile()) ? desktoptest::readHive(env.hiveFile()) : registry::RegistryHive();
        QStringList held;
        for (const QString& key : keys) {
            const QString path = key.section(" = ", 0, 0);
            held << (hive.hasKey(path) ? path + " = " + hive.defaultValue(path).value_or("(none)") : path);
        }
        return held;
    }

    // The built program in the test's environment, without DISPLAY and WAYLAND_DISPLAY, with
    // QT_QPA_PLATFORM only when `platform` is given, the system's language `lang` (which it
    // speaks until one is stored); stopped when it runs on after `waitMs`.
    static ProgramRun runProgram(const QStringList& arguments, const char* platform = nullptr, int waitMs = 60000,
                                 const char* lang = "C.UTF-8")
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            environment.remove(name);
        environment.insert("LANG", lang);
        if (platform)
            environment.insert("QT_QPA_PLATFORM", platform);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(ZELVANE_BIN_DIR "/zelvane", arguments);
        const bool finished = program.waitForFinished(waitMs);
        program.kill(), program.waitForFinished();
        return {!finished ? -1 : program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2,
                QString::fromLocal8Bit(program.readAllStandardOutput()), QString::fromLocal8Bit(program.readAllStandardError())};
    }
    // Stand-ins for the emulators `programs`, first on PATH for the rest of the test: the desktop
    // ignores an association whose program it cannot find.
    void programsOnPath(const QStringList& programs)
    {
        for (const QString& program : programs)
            TestEnvironment::writeProgram(env.root() + "/bin/" + program, "#!/bin/sh\n");
        qputenv("PATH", (env.root() + "/bin:").toLocal8Bit() + qgetenv("PATH"));
    }

    TestEnvironment env;
    std::unique_ptr<Zelvane15> window;
    // Stands in for the desktop Finish tells; empty, the real desktop is told.
    platform::DesktopNotifier desktop = [](const QStringList&) { return QList<platform::Failure>(); };
    QStringList messages; // "<style> <title>: <text>"
    QStringList opened;
    bool ended = false;
};
