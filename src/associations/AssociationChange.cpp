// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The change one association makes to the classes root, the same sequence for the wizard's Finish
// and for the command line's --associate.
#include "associations/AssociationChange.h"

#include "hive/RegistryHive.h"

#include <QDateTime>
#include <QStringList>

namespace registry {

AssociationChange::AssociationChange(platform::ClassesRoot& root, QString action, const AssociationChoices& choices,
                                     const std::array<QString, 15>& consoleNames, QString catalogueFile)
    : m_choices(choices)
    , m_consoleNames(consoleNames)
    , m_catalogueFile(std::move(catalogueFile))
    , m_change(root, std::move(action))
{
}

const AssociationPlan& AssociationChange::plan()
{
    if (!m_plan)
        m_plan.emplace(m_choices, m_consoleNames, m_catalogueFile);
    return *m_plan;
}

bool AssociationChange::run(const StepRunner& runStep)
{
    // The catalogue is read as the steps run.
    m_plan.reset();
    if (!refuseUnstorableWrites())
        return false;
    QStringList keys;
    for (const PlannedWrite& write : plan().allWrites())
        keys << write.key;
    if (!m_change.backUp(keys, {}, QDateTime::currentDateTime()))
        return false;
    for (const platform::Failure& omission : plan().omissions())
        m_change.fail(omission);
    m_change.noteTakenExtensions(plan().allWrites());
    for (int step = 0; step < AssociationPlan::StepCount; ++step) {
        if (runStep)
            runStep(AssociationPlan::Step(step));
        else
            writeStep(AssociationPlan::Step(step));
    }
    m_change.finish(plan().classNames());
    return true;
}

// A write the registry would refuse halfway through would leave an association that took the
// extensions from their owners without, say, its command: all are checked before the first.
bool AssociationChange::refuseUnstorableWrites()
{
    bool storable = true;
    for (const PlannedWrite& write : plan().allWrites()) {
        if (!RegistryHive::isValidKeyPath(write.key)) {
            m_change.fail(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The key HKEY_CLASSES_ROOT\\%1 cannot be stored in the registry: "
                                          "nothing was written.")).arg(write.key));
            storable = false;
        } else if (!RegistryHive::isStorableData(write.data)) {
            m_change.fail(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The value of the key HKEY_CLASSES_ROOT\\%1 cannot be stored in the "
                                          "registry (it holds a line break, a NUL or an unpaired surrogate): "
                                          "nothing was written.")).arg(write.key));
            storable = false;
        }
    }
    return storable;
}

void AssociationChange::writeStep(AssociationPlan::Step step)
{
    for (const PlannedWrite& write : plan().writes(step))
        m_change.write(write.key, write.data);
}

} // namespace registry
