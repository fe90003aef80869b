// A main window over a catalogue written by the test, with message boxes and the end of the
// program answered by hooks, and the controls reached by their object names.
#pragma once

#include "TestEnvironment.h"
#include "app/Zelvane15.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

struct ShownMessage {
    QString text;
    int style;
    QString title;
};

class WizardFixture : public ::testing::Test {
protected:
    WizardFixture();
    ~WizardFixture() override;

    // A catalogue of `consoles` sections; each entry is the text of one catalogue.
    void writeCatalogue(const QByteArray& text);
    void writeShippedIconLibrary();
    void storePreferences(const QString& language, const QString& level);
    // Builds the main window and runs its start-up; true when the window was shown.
    bool startWizard();

    template <typename T>
    T* control(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << "no control " << name;
        return found;
    }
    QAction* menu(const char* name) const { return control<QAction>(name); }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }
    QCheckBox* box(const char* name) const { return control<QCheckBox>(name); }
    QComboBox* list(const char* name) const { return control<QComboBox>(name); }

    // What the user does.
    void click(const char* name) const;
    void pick(const char* listName, int index) const;
    // Expert level: picks `console` and its first emulator and walks on to the icons page.
    void walkToTheLastPage(int console) const;
    // The page shown: "F1" to "F5".
    QString page() const;

    TestEnvironment env;
    std::unique_ptr<Zelvane15> window;
    QList<ShownMessage> messages;
    QStringList opened;
    bool ended = false;
};

// A catalogue with three consoles, enough for every page.
extern const QByteArray kThreeConsoles;
