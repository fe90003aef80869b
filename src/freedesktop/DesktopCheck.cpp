// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the Linux desktop makes of the hive's classes: whether their types are known and given to
// their extensions, whether their files open with their emulators, and whether those can run.
#include "freedesktop/DesktopCheck.h"

#include "freedesktop/DesktopApplications.h"
#include "freedesktop/DesktopAssociation.h"
#include "freedesktop/DesktopExec.h"
#include "freedesktop/DesktopNames.h"
#include "freedesktop/DesktopTypes.h"
#include "freedesktop/GioQuery.h"
#include "platform/ProgramPlaces.h"
#include "hive/RegistryHive.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace registry {

namespace {

// Binary data with no signature: the type of a file the desktop knows nothing about.
const QString kUnknownType = QStringLiteral("application/octet-stream");

platform::Failure cannotRun(const QString& program, const QString& className, const char* why)
{
    return platform::Failure::translated(
               QT_TRANSLATE_NOOP("Failure", "The emulator \"%1\" of the class \"%2\" %3: the desktop will ignore this association."))
        .arg(program, className, platform::Failure::translated(why));
}

QStringList knownTypes(const QString& mimeDatabase)
{
    QFile file(mimeDatabase + QStringLiteral("/types"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// Whether the class's files open with its entry; problems told when they do not.
std::optional<bool> opensWithCommand(const QString& className, const QString& type, bool programFound,
                                     QList<platform::Failure>* problems)
{
    const std::optional<GioQuery::Handlers> handlers = GioQuery::handlers(type);
    if (!handlers)
        return std::nullopt;
    const bool ours = handlers->defaultApplication == DesktopNames::desktopFileName(className);
    // An emulator that cannot run is the reason already told.
    if (!ours && programFound) {
        const QString other = handlers->defaultApplication.isEmpty() ? QStringLiteral("-") : handlers->defaultApplication;
        problems->append(
            platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "Files of the class \"%1\" open with %2, not with its emulator.")).arg(className, other));
    }
    return ours;
}

} // namespace

std::optional<platform::Failure> DesktopCheck::programProblem(const QString& className,
                                                                         const QString& command)
{
    const QString program = DesktopExec::splitWindowsCommand(command).value(0);
    static const QRegularExpression windowsProgram(QStringLiteral("(^[A-Za-z]:[\\\\/])|\\.(exe|com|bat|cmd)$"),
                                                   QRegularExpression::CaseInsensitiveOption);
    if (program.isEmpty())
        return std::nullopt; // no program at all: the publisher tells so
    if (windowsProgram.match(program).hasMatch())
        return cannotRun(program, className, QT_TRANSLATE_NOOP("Failure", "is a Windows program, which Linux cannot run"));
    if (!program.contains(u'/')) {
        // Where the session looks, as --emulators and the wizard tell: PATH and the login folders.
        if (platform::ProgramPlaces::ofThisSession().programPath(program).isEmpty())
            return cannotRun(program, className, QT_TRANSLATE_NOOP("Failure", "cannot be found on PATH"));
        return std::nullopt;
    }
    const QFileInfo file(program);
    if (!file.exists())
        return cannotRun(program, className, QT_TRANSLATE_NOOP("Failure", "does not exist"));
    if (!file.isFile() || !file.isExecutable())
        return cannotRun(program, className, QT_TRANSLATE_NOOP("Failure", "is not an executable program"));
    return std::nullopt;
}

QList<platform::ExtensionClaim> DesktopCheck::claimsOf(const QStringList& extensions)
{
    QList<platform::ExtensionClaim> claims(extensions.size());
    const std::optional<QStringList> types = GioQuery::contentTypes(extensions);
    QHash<QString, platform::ExtensionClaim> claimOfType;
    std::optional<DesktopApplications> entries; // read for the first application named
    for (qsizetype i = 0; types && i < extensions.size(); ++i) {
        const QString& type = (*types)[i];
        if (type.isEmpty() || type == kUnknownType || DesktopNames::isOurType(type))
            continue;
        if (!claimOfType.contains(type)) {
            platform::ExtensionClaim claim {type, {}, {}};
            for (const QString& id : GioQuery::handlers(type).value_or(GioQuery::Handlers()).applications) {
                if (!entries)
                    entries = DesktopApplications::read();
                const DesktopNames::Title name = entries->titleOf(id);
                claim.applications << name.english;
                claim.frenchApplications << name.french;
            }
            claimOfType.insert(type, claim);
        }
        if (!claimOfType.value(type).applications.isEmpty())
            claims[i] = claimOfType.value(type);
    }
    return claims;
}

QList<platform::ClassCheck> DesktopCheck::check(const RegistryHive& hive, const QStringList& classNames,
                                                const QString& mimeDatabase)
{
    const QStringList hiveClasses = DesktopAssociation::classesOf(hive);
    QList<DesktopAssociation> associations;
    QStringList extensions;
    for (const QString& name : classNames) {
        if (DesktopNames::isPublishableClass(name) && hiveClasses.contains(name, Qt::CaseInsensitive)) {
            associations << DesktopAssociation::read(hive, name);
            for (const QString& extension : associations.last().extensions) {
                if (DesktopNames::isPublishableExtension(extension))
                    extensions << extension;
            }
        }
    }
    const QStringList types = knownTypes(mimeDatabase);
    const QStringList given = GioQuery::contentTypes(extensions).value_or(QStringList(extensions.size()));
    QList<platform::ClassCheck> checks;
    for (const DesktopAssociation& association : associations) {
        platform::ClassCheck check {association.className, false, std::nullopt, std::nullopt, {}};
        const QString type = DesktopNames::mimeType(association.className);
        check.typeKnown = types.contains(type);
        if (!check.typeKnown)
            check.problems.append(
                platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The file type of the class \"%1\" is not in the desktop's MIME database."))
                     .arg(association.className));
        for (const QString& extension : association.extensions) {
            const QString other = given.value(extensions.indexOf(extension));
            if (check.typeKnown && !other.isEmpty() && !DesktopTypes::belongsTo(other, association.className))
                check.problems.append(
                    platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "Files named *.%1 are given the type %2, not the type of the class \"%3\"."))
                         .arg(extension, other, association.className));
        }
        if (association.command) {
            const std::optional<platform::Failure> problem
                = programProblem(association.className, *association.command);
            check.programFound = !problem;
            if (problem)
                check.problems.append(*problem);
            check.opensWithCommand = opensWithCommand(association.className, type, !problem, &check.problems);
        }
        checks << check;
    }
    return checks;
}

} // namespace registry
