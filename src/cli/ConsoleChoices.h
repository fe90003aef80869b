// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The choices --associate stands for, as the wizard's pages would hold them: the catalogue's
// offer for the console, narrowed by the options the user gave.
#pragma once

#include "cli/CommandLine.h"
#include "cli/CommandOutput.h"
#include "associations/AssociationPlan.h"
#include "catalogue/ConsoleOffer.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class ConsoleChoices {
public:
    ConsoleChoices(const CommandOutput& output, QString catalogueFile);

    // The catalogue's name of the console `typed`, spelt as the catalogue does or differing by
    // letter case alone; nothing, with the mistake printed, when the catalogue has no such console.
    std::optional<QString> consoleNamed(const QString& typed) const;

    // The choices for `console`, a name of the catalogue; nothing, with the mistake printed, when
    // the catalogue offers no such thing.
    std::optional<registry::AssociationChoices> of(const CommandRequest& request, const QString& console) const;

private:
    bool storable(const std::optional<QString>& given, const char* option) const;
    std::optional<QString> command(const CommandRequest& request, const registry::ConsoleOffer& offer,
                                   const QString& console) const;
    std::optional<QString> applicationCommand(const QString& desktopId) const;
    bool tick(const std::array<QString, 4>& offered, const std::optional<QStringList>& asked,
              std::array<bool, 4>* slots, const QString& console, const QString& kind) const;
    std::optional<QString> iconReference(const std::optional<QString>& asked, const QString& catalogueIndex,
                                         const QString& console, const char* catalogueKey) const;

    const CommandOutput& m_output;
    QString m_catalogueFile;
};
