// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The change one association makes to the classes root, the same sequence for the wizard's Finish
// and for the command line's --associate.
#pragma once

#include "platform/ClassesRoot.h"
#include "associations/AssociationPlan.h"
#include "associations/ClassesRootChange.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace registry {

class AssociationChange {
public:
    // Runs one step of the plan; it writes through change().
    using StepRunner = std::function<void(AssociationPlan::Step)>;

    // The change writes what `choices` ask for, with the extensions of the catalogue
    // `catalogueFile` for the numbers of `consoleNames` that carry the chosen console's name.
    // `action` names it in its backup's name; `root` must outlive the change.
    AssociationChange(platform::ClassesRoot& root, QString action, const AssociationChoices& choices,
                      const std::array<QString, 15>& consoleNames, QString catalogueFile);

    // Plans the writes anew, saves what they will replace as a backup, tells what the plan
    // leaves out and which extensions it takes from others, runs the steps in their order
    // through `runStep` (by default writeStep), then lets the desktop hear of the classes.
    // False when a write could not be stored or the backup cannot be saved: then no step runs.
    bool run(const StepRunner& runStep = {});
    // Writes the planned writes of `step`.
    void writeStep(AssociationPlan::Step step);

    // The plan, read from the catalogue the first time it is asked for since the last run.
    const AssociationPlan& plan();
    ClassesRootChange& change() { return m_change; }
    const ClassesRootChange& change() const { return m_change; }

private:
    bool refuseUnstorableWrites();

    AssociationChoices m_choices;
    std::array<QString, 15> m_consoleNames;
    QString m_catalogueFile;
    ClassesRootChange m_change;
    std::optional<AssociationPlan> m_plan;
};

} // namespace registry
