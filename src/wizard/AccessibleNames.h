// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says of the main window's controls, in the wizard's language.
#pragma once

#include <QCoreApplication>
#include <QString>

struct SharedValues;
struct Zelvane15Controls;

class AccessibleNames {
    Q_DECLARE_TR_FUNCTIONS(AccessibleNames)
public:
    // Names and describes every control from what it shows now: its page, caption, warning mark
    // and picture, in the language of the translation in force.
    static void name(const Zelvane15Controls& c, const SharedValues& shared);
    // The name of an empty slot of the emulator list, whose item shows no text.
    static QString noEmulator();

private:
    static QString say(const char* text);
    static void nameWizard(const Zelvane15Controls& c, const SharedValues& shared);
    static void nameLanguagePanel(const Zelvane15Controls& c);
    static void nameAboutPanel(const Zelvane15Controls& c);
    static QString extensionBox(const QString& caption, bool save, bool otherType);
    static QString iconImage(const QString& reference, bool save);
};
