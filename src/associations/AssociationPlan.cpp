// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What one association writes into the classes root: from the user's choices and the catalogue,
// the keys and default values of the thirteen steps of the association sequence, in order.
#include "associations/AssociationPlan.h"

#include "catalogue/AnsiText.h"
#include "catalogue/Fileini.h"

namespace registry {

namespace {

const QString kVerb = QStringLiteral("Jouer - Play");

} // namespace

AssociationPlan::AssociationPlan(const AssociationChoices& choices,
                                 const std::array<QString, 15>& consoleNames,
                                 const QString& catalogueFile)
    : m_choices(choices)
    , m_consoleNames(consoleNames)
    , m_catalogueFile(catalogueFile)
{
    planClassKey(Descriptions, Kind::Rom, QString(), m_choices.romClass);
    planClassKey(Descriptions, Kind::Save, QString(), m_choices.saveClass);
    planClassKey(DefaultVerb, Kind::Rom, QStringLiteral("\\shell"), kVerb);
    for (int slot = 0; slot < 4; ++slot)
        planExtensions(Step(RomExtension1 + slot), slot, Kind::Rom);
    m_steps[ConsoleKey].append({AnsiText::untilNul(m_choices.console), className(Kind::Rom)});
    planClassKey(OpenCommand, Kind::Rom, QStringLiteral("\\shell\\") + kVerb + QStringLiteral("\\command"),
                 m_choices.command);
    for (int slot = 0; slot < 4; ++slot)
        planExtensions(Step(SaveExtension1 + slot), slot, Kind::Save);
    planClassKey(Icons, Kind::Rom, QStringLiteral("\\DefaultIcon"), m_choices.romIcon);
    planClassKey(Icons, Kind::Save, QStringLiteral("\\DefaultIcon"), m_choices.saveIcon);
}

QList<PlannedWrite> AssociationPlan::allWrites() const
{
    QList<PlannedWrite> all;
    for (const QList<PlannedWrite>& step : m_steps)
        all += step;
    return all;
}

// Texts reach the classes root as a window control keeps them: up to their first NUL.
QString AssociationPlan::className(Kind kind) const
{
    return AnsiText::untilNul(kind == Kind::Rom ? m_choices.romClass : m_choices.saveClass);
}

// A key below a class. Without a class name the path would name the classes root itself: the
// key is left out, and the user told once.
void AssociationPlan::planClassKey(Step step, Kind kind, const QString& subPath, const QString& data)
{
    const QString name = className(kind);
    if (name.isEmpty()) {
        const QString key = kind == Kind::Rom ? QStringLiteral("romname") : QStringLiteral("savname");
        const platform::Failure omission = platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The catalogue gives this console no class name (\"%1\"); the keys "
                           "named after it were not written.")).arg(key);
        if (!m_omissions.contains(omission))
            m_omissions.append(omission);
        return;
    }
    if (!m_classNames.contains(name))
        m_classNames.append(name);
    m_steps[step].append({name + subPath, AnsiText::untilNul(data)});
}

// One extension slot, for every console number whose name is the chosen console's, in number
// order: two numbers of the same name register the extensions of both sections.
void AssociationPlan::planExtensions(Step step, int slot, Kind kind)
{
    const bool ticked = kind == Kind::Rom ? m_choices.romSlots[slot] : m_choices.saveSlots[slot];
    const QString key = (kind == Kind::Rom ? QStringLiteral("ext%1") : QStringLiteral("sav%1")).arg(slot + 1);
    for (int n = 1; n <= 15; ++n) {
        if (m_choices.console != m_consoleNames[n - 1] || !ticked)
            continue;
        const QString extension = Fileini::GetIniString(Fileini::consoleNumber(n), key, m_catalogueFile);
        m_steps[step].append({QLatin1Char('.') + AnsiText::untilNul(extension), className(kind)});
    }
}

} // namespace registry
