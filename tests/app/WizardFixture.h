// The app tests' fixture: a main window over a catalogue written by the test, with message boxes,
// the end of the program and the desktop answered by hooks; and the built program run as a shell runs it.
#pragma once

#include "DesktopTestSupport.h"
#include "TestEnvironment.h"
#include "app/Zelvane15.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

struct ProgramRun {
    int status = -1; // -1 when it was still running, -2 when it crashed
    QString output, error;
};

// A catalogue with three consoles, enough for every page.
extern const QByteArray kThreeConsoles;

class WizardFixture : public ::testing::Test {
protected:
    WizardFixture();
    ~WizardFixture() override;

    // The catalogue beside the program, or the user's own, which the command line reads too.
    void writeCatalogue(const QByteArray& text) const { TestEnvironment::writeFile(env.programDir() + "/Zelvane.ini", text); }
    void writeUserCatalogue(const QByteArray& text) const { TestEnvironment::writeFile(userCatalogue(), text); }
    QString userCatalogue() const { return env.configHome() + "/Zelvane/Zelvane.ini"; }
    static void storePreferences(const QString& language, const QString& level);
    // Builds the main window, the shipped icon library beside it, and runs its start-up.
    bool startWizard();
    // `catalogue` beside the program, the preferences, and a start that shows the window.
    void startIn(const QString& language, const QString& level, const QByteArray& catalogue = kThreeConsoles);

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
    void act(const QString& actions) const;
    QString page() const; // "F1" to "F5"
    // "<page> <N if Next is enabled, else -><P if Previous is enabled, else -> <Next's caption>".
    QString state() const;
    // The four boxes from S<first>: "<caption>:on" or ":off", with ",disabled".
    QStringList boxes(int first) const;
    QStringList items(const QString& list) const;

    // The built program in the test's environment, without DISPLAY and WAYLAND_DISPLAY, with
    // QT_QPA_PLATFORM only when `platform` is given; stopped when it runs on after `waitMs`.
    static ProgramRun runProgram(const QStringList& arguments, const char* platform = nullptr, int waitMs = 60000);
    static QMap<QString, QByteArray> filesBelow(const QString& folder);
    // Stand-ins for the emulators `programs`, first on PATH for the rest of the test: the desktop
    // ignores an association whose program it cannot find.
    void programsOnPath(const QStringList& programs);

    TestEnvironment env;
    std::unique_ptr<Zelvane15> window;
    QStringList messages; // "<style> <title>: <text>"
    QStringList opened;
    bool ended = false;

private:
    const QByteArray m_path = qgetenv("PATH");
};
