// The change one association makes to the classes root, the same sequence for the wizard's Finish
// and for the command line's --associate.
#include "associations/AssociationChange.h"

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

void AssociationChange::writeStep(AssociationPlan::Step step)
{
    for (const PlannedWrite& write : plan().writes(step))
        m_change.write(write.key, write.data);
}

} // namespace registry
