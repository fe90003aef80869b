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
    // One text in French and in English (marked for translation), the French chosen by the
    // wizard's language until the translations come.
    struct Text {
        const char* french;
        const char* english;
    };

    // Names and describes every control from what it shows now: its page, caption, warning mark
    // and picture. French when `french`, else English, as the captions.
    static void name(const Zelvane15Controls& c, const SharedValues& shared, bool french);
    // The name of an empty slot of the emulator list, whose item shows no text.
    static QString noEmulator(bool french);

private:
    static QString say(const Text& text, bool french);
    static void nameWizard(const Zelvane15Controls& c, const SharedValues& shared, bool french);
    static void nameLanguagePanel(const Zelvane15Controls& c);
    static void nameAboutPanel(const Zelvane15Controls& c, bool french);
    static QString extensionBox(const QString& caption, bool save, bool otherType, bool french);
    static QString iconImage(const QString& reference, bool save, bool french);
};
