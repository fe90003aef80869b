// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What one association writes into the classes root: from the user's choices and the catalogue,
// the keys and default values of the thirteen steps of the association sequence, in order.
#pragma once

#include "platform/ClassesRoot.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace registry {

// The user's choices, as the wizard's pages hold them when Finish is clicked.
struct AssociationChoices {
    QString console; // the console's name, as listed
    QString command; // the emulator's command line, written unchanged
    std::array<bool, 4> romSlots {}; // which of the catalogue's ext1 to ext4 are ticked
    std::array<bool, 4> saveSlots {}; // which of sav1 to sav4
    QString romIcon; // icon references, "file,index"
    QString saveIcon;
    // The classes the catalogue names for the console (romname, savname) as the extensions page
    // read them: the catalogue's marker of an absent value when it gives none.
    QString romClass;
    QString saveClass;
};

struct PlannedWrite {
    QString key; // relative to the classes root
    QString data; // its default value
};

class AssociationPlan {
public:
    // The steps, in the order the sequence runs them.
    enum Step {
        Descriptions, // both classes, described by their own names
        DefaultVerb,
        RomExtension1,
        RomExtension2,
        RomExtension3,
        RomExtension4,
        ConsoleKey,
        OpenCommand,
        SaveExtension1,
        SaveExtension2,
        SaveExtension3,
        SaveExtension4,
        Icons,
        StepCount
    };

    // Reads the values of the ticked extension slots from `catalogueFile`, once for every number
    // of `consoleNames` that carries the chosen console's name, in number order.
    AssociationPlan(const AssociationChoices& choices, const std::array<QString, 15>& consoleNames,
                    const QString& catalogueFile);

    const QList<PlannedWrite>& writes(Step step) const { return m_steps[step]; }
    QList<PlannedWrite> allWrites() const;
    // The classes whose keys the plan writes, as the desktop is to hear of them.
    const QStringList& classNames() const { return m_classNames; }
    // What the plan leaves out, for the user: the keys of a class the catalogue does not name,
    // which would address the classes root itself. Told once per class.
    const QList<platform::Failure>& omissions() const { return m_omissions; }

private:
    enum class Kind { Rom, Save };

    void planClassKey(Step step, Kind kind, const QString& subPath, const QString& data);
    void planExtensions(Step step, int slot, Kind kind);
    QString className(Kind kind) const;

    AssociationChoices m_choices;
    std::array<QString, 15> m_consoleNames;
    QString m_catalogueFile;
    std::array<QList<PlannedWrite>, StepCount> m_steps;
    QStringList m_classNames;
    QList<platform::Failure> m_omissions;
};

} // namespace registry
