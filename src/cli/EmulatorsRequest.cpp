// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --emulators: what a console's files can open with here, the catalogue's commands whose programs
// are found and the installed applications that open them, as text or as JSON.
#include "cli/EmulatorsRequest.h"

#include "cli/ConsoleChoices.h"
#include "platform/ProgramSearch.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {

QJsonValue jsonOf(const std::optional<QString>& text)
{
    return text ? QJsonValue(*text) : QJsonValue();
}

QJsonArray emulatorsJson(const registry::ConsoleOffer& offer)
{
    QJsonArray emulators;
    for (std::size_t n = 0; n < offer.emulators.size(); ++n) {
        const QString& command = offer.emulators[n];
        if (!command.isEmpty())
            emulators.append(QJsonObject {{QStringLiteral("number"), int(n + 1)},
                                          {QStringLiteral("command"), command},
                                          {QStringLiteral("programFound"), platform::commandProgramIsFound(command)}});
    }
    return emulators;
}

QJsonObject foundJson(const QStringList& extensions, const platform::FileTypeApplications& found)
{
    QJsonArray fileTypes;
    for (qsizetype k = 0; k < extensions.size(); ++k) {
        const QString& type = found.fileTypes[k];
        fileTypes.append(QJsonObject {{QStringLiteral("extension"), extensions[k]},
                                      {QStringLiteral("type"), type.isEmpty() ? QJsonValue() : QJsonValue(type)}});
    }
    QJsonArray applications;
    for (const platform::InstalledApplication& application : found.applications)
        applications.append(QJsonObject {{QStringLiteral("desktopId"), application.desktopId},
                                         {QStringLiteral("name"), application.name},
                                         {QStringLiteral("icon"), application.icon},
                                         {QStringLiteral("command"), jsonOf(application.command)},
                                         {QStringLiteral("fileTypes"), QJsonArray::fromStringList(application.fileTypes)}});
    return {{QStringLiteral("fileTypes"), fileTypes}, {QStringLiteral("applications"), applications}};
}

} // namespace

EmulatorsRequest::EmulatorsRequest(const CommandOutput& output, QString catalogueFile)
    : m_output(output)
    , m_catalogueFile(std::move(catalogueFile))
{
}

int EmulatorsRequest::run(const CommandRequest& request) const
{
    const std::optional<QString> console = ConsoleChoices(m_output, m_catalogueFile).consoleNamed(request.name);
    if (!console)
        return CommandOutput::kUsageError;
    const registry::ConsoleOffer offer
        = registry::ConsoleOffer::read(*console, registry::ConsoleOffer::consoleNames(m_catalogueFile), m_catalogueFile)
              .value();
    // Emulators open the ROMs; a save state is read back by the emulator that wrote it.
    QStringList extensions;
    for (const QString& extension : offer.romExtensions) {
        if (!extension.isEmpty())
            extensions << extension;
    }
    const std::optional<platform::FileTypeApplications> found = platform::applicationsOpening(extensions);
    if (request.json) {
        QJsonObject json {{QStringLiteral("console"), *console}, {QStringLiteral("emulators"), emulatorsJson(offer)},
                          {QStringLiteral("fileTypes"), QJsonValue()}, {QStringLiteral("applications"), QJsonValue()}};
        if (found) {
            const QJsonObject desktop = foundJson(extensions, *found);
            for (auto it = desktop.begin(); it != desktop.end(); ++it)
                json.insert(it.key(), it.value());
        }
        CommandOutput::print(stdout, QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented)));
        return 0;
    }
    QString lines = *console + u'\n';
    if (found)
        lines += fileTypeLine(extensions, *found);
    lines += emulatorLines(offer);
    if (found)
        lines += applicationLines(*found);
    CommandOutput::print(stdout, lines);
    return 0;
}

QString EmulatorsRequest::emulatorLines(const registry::ConsoleOffer& offer) const
{
    const QString found = CommandOutput::tr("found");
    const QString missing = CommandOutput::tr("not found");
    QString lines = CommandOutput::tr("  catalogue emulators (--emulator N):\n");
    for (std::size_t n = 0; n < offer.emulators.size(); ++n) {
        const QString& command = offer.emulators[n];
        if (command.isEmpty())
            continue;
        const QString state = platform::commandProgramIsFound(command) ? found : missing;
        lines += QStringLiteral("    %1  %2  %3\n")
                     .arg(QString::number(n + 1), state.leftJustified(std::max(found.size(), missing.size())), command);
    }
    if (std::all_of(offer.emulators.cbegin(), offer.emulators.cend(), [](const QString& command) { return command.isEmpty(); }))
        lines += CommandOutput::tr("    none\n");
    return lines;
}

// The system's types of the extensions, each with the extensions it is given to.
QString EmulatorsRequest::fileTypeLine(const QStringList& extensions, const platform::FileTypeApplications& found) const
{
    QStringList types;
    for (qsizetype first = 0; first < extensions.size(); ++first) {
        const QString& type = found.fileTypes[first];
        if (type.isEmpty() || found.fileTypes.indexOf(type) < first)
            continue;
        QStringList named;
        for (qsizetype k = 0; k < extensions.size(); ++k) {
            if (found.fileTypes[k] == type)
                named << u'.' + extensions[k];
        }
        types << QStringLiteral("%1 (%2)").arg(type, named.join(u' '));
    }
    return CommandOutput::tr("  file types:   %1\n")
        .arg(types.isEmpty() ? CommandOutput::tr("none") : types.join(QStringLiteral(", ")));
}

QString EmulatorsRequest::applicationLines(const platform::FileTypeApplications& found) const
{
    QString lines = CommandOutput::tr("  installed applications (--application ID):\n");
    for (const platform::InstalledApplication& application : found.applications) {
        lines += CommandOutput::tr("    %1 (%2): %3\n")
                     .arg(application.name, application.desktopId,
                          application.command.value_or(CommandOutput::tr("opens no file")));
    }
    if (found.applications.isEmpty())
        lines += CommandOutput::tr("    none\n");
    return lines;
}
