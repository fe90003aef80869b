// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --list: the associations of the classes root and whether the desktop follows them, as text or
// as JSON.
#include "cli/ListRequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// What the desktop makes of one association: the checks of its two classes.
struct ListedCheck {
    const platform::ClassCheck* rom = nullptr;
    const platform::ClassCheck* save = nullptr;

    QList<platform::Failure> problems() const
    {
        return (rom ? rom->problems : QList<platform::Failure>())
            + (save ? save->problems : QList<platform::Failure>());
    }
    bool works() const { return rom && problems().isEmpty(); }
};

QString dotted(const QStringList& extensions)
{
    QStringList names;
    for (const QString& extension : extensions)
        names << QLatin1Char('.') + extension;
    return names.join(QLatin1Char(' '));
}

QJsonValue jsonText(const QString& text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

QJsonValue jsonFlag(const std::optional<bool>& flag)
{
    return flag ? QJsonValue(*flag) : QJsonValue();
}

QJsonObject jsonOf(const registry::Association& association, const ListedCheck& check, const CommandOutput& output)
{
    QJsonArray problems;
    for (const platform::Failure& problem : check.problems())
        problems.append(output.inLanguage(problem));
    return {
        {QStringLiteral("console"), jsonText(association.console)},
        {QStringLiteral("romClass"), association.romClass},
        {QStringLiteral("saveClass"), jsonText(association.saveClass)},
        {QStringLiteral("romExtensions"), QJsonArray::fromStringList(association.romExtensions)},
        {QStringLiteral("saveExtensions"), QJsonArray::fromStringList(association.saveExtensions)},
        {QStringLiteral("command"), association.command ? QJsonValue(*association.command) : QJsonValue()},
        {QStringLiteral("romIcon"), jsonText(association.romIcon)},
        {QStringLiteral("saveIcon"), jsonText(association.saveIcon)},
        {QStringLiteral("works"), check.works()},
        {QStringLiteral("romTypeKnown"), check.rom ? QJsonValue(check.rom->typeKnown) : QJsonValue()},
        {QStringLiteral("saveTypeKnown"), check.save ? QJsonValue(check.save->typeKnown) : QJsonValue()},
        {QStringLiteral("opensWithCommand"), check.rom ? jsonFlag(check.rom->opensWithCommand) : QJsonValue()},
        {QStringLiteral("programFound"), check.rom ? jsonFlag(check.rom->programFound) : QJsonValue()},
        {QStringLiteral("problems"), problems},
    };
}

// A class without its console goes under its own name, with its one icon.
QString looseClassLines(const registry::Association& association)
{
    return association.romClass + QLatin1Char('\n') + CommandOutput::tr("  console:      none\n")
        + CommandOutput::tr("  files:        %1  %2\n")
              .arg(association.romClass, dotted(association.romExtensions))
        + CommandOutput::tr("  command:      %1\n").arg(association.command.value_or(QString()))
        + CommandOutput::tr("  icon:         %1\n").arg(association.romIcon);
}

QString associationLines(const registry::Association& association)
{
    QString lines = association.console + QLatin1Char('\n');
    lines += CommandOutput::tr("  ROM files:    %1  %2\n")
                 .arg(association.romClass, dotted(association.romExtensions));
    if (!association.saveClass.isEmpty())
        lines += CommandOutput::tr("  save states:  %1  %2\n")
                     .arg(association.saveClass, dotted(association.saveExtensions));
    lines += CommandOutput::tr("  command:      %1\n").arg(association.command.value_or(QString()));
    return lines + CommandOutput::tr("  icons:        %1  %2\n")
                       .arg(association.romIcon, association.saveIcon);
}

QString linesOf(const registry::Association& association, const ListedCheck& check, const CommandOutput& output)
{
    QString lines = association.console.isEmpty() ? looseClassLines(association)
                                                  : associationLines(association);
    if (check.works())
        return lines + CommandOutput::tr("  works:        yes\n");
    lines += CommandOutput::tr("  works:        no\n");
    for (const platform::Failure& problem : check.problems())
        lines += QStringLiteral("    ! ") + output.inLanguage(problem) + QLatin1Char('\n');
    return lines;
}

} // namespace

ListRequest::ListRequest(const CommandOutput& output, QString catalogueFile)
    : m_output(output)
    , m_catalogueFile(std::move(catalogueFile))
{
}

std::optional<registry::AssociationList> ListRequest::read(platform::ClassesRoot& root, const QString& catalogueFile,
                                                           const CommandOutput& output)
{
    platform::Failure failure;
    std::optional<registry::AssociationList> list
        = registry::AssociationList::read(root, registry::catalogueClassPairs(catalogueFile), &failure);
    if (!list) {
        const QList<platform::Failure> why = root.endReading();
        output.failed(why.isEmpty() ? QList<platform::Failure> {failure} : why);
    }
    return list;
}

int ListRequest::run(bool json) const
{
    const std::unique_ptr<platform::ClassesRoot> root = platform::openClassesRoot(m_catalogueFile);
    const std::optional<registry::AssociationList> list = read(*root, m_catalogueFile, m_output);
    if (!list)
        return CommandOutput::kFailed;
    QStringList classes;
    for (const registry::Association& association : list->associations())
        classes << association.romClass << association.saveClass;
    classes.removeAll(QString());
    const QList<platform::ClassCheck> checks = root->checkClasses(classes);
    root->endReading();
    const auto checkOf = [&checks](const QString& className) -> const platform::ClassCheck* {
        for (const platform::ClassCheck& check : checks) {
            if (!className.isEmpty() && check.className.compare(className, Qt::CaseInsensitive) == 0)
                return &check;
        }
        return nullptr;
    };
    QJsonArray associations;
    QString lines = list->associations().isEmpty()
        ? CommandOutput::tr("No association.\n")
        : QString();
    for (const registry::Association& association : list->associations()) {
        const ListedCheck check {checkOf(association.romClass), checkOf(association.saveClass)};
        associations.append(jsonOf(association, check, m_output));
        lines += linesOf(association, check, m_output);
    }
    if (json)
        lines = QString::fromUtf8(QJsonDocument(QJsonObject {{QStringLiteral("associations"), associations}})
                                      .toJson(QJsonDocument::Indented));
    CommandOutput::print(stdout, lines);
    return 0;
}
