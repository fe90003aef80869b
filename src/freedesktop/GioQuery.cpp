// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Asks GIO what the desktop makes of file names and types, as a file manager asks it.
#include "freedesktop/GioQuery.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>

namespace registry {

namespace {

constexpr int kTimeLimitMs = 30'000;

// The output of `gio` with `arguments`, in the words parsed here; nothing when it cannot run.
std::optional<QString> gio(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    // Local files need neither the virtual file system's daemons nor the volume monitors.
    environment.insert(QStringLiteral("GIO_USE_VFS"), QStringLiteral("local"));
    environment.insert(QStringLiteral("GIO_USE_VOLUME_MONITOR"), QStringLiteral("unix"));
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QStringLiteral("gio"), arguments);
    if (!process.waitForFinished(kTimeLimitMs) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A name a file can have: no separator, no NUL.
bool isFileNameExtension(const QString& extension)
{
    return !extension.isEmpty() && !extension.contains(u'/') && !extension.contains(QChar(u'\0'));
}

} // namespace

std::optional<QStringList> GioQuery::contentTypes(const QStringList& extensions)
{
    QStringList types(extensions.size());
    QTemporaryDir folder;
    QStringList paths;
    QHash<QString, qsizetype> position;
    for (qsizetype i = 0; i < extensions.size(); ++i) {
        const QString path = folder.filePath(QStringLiteral("%1.%2").arg(i).arg(extensions[i]));
        QFile sample(path);
        // Zeros, which no content signature matches: the name alone decides.
        if (!folder.isValid() || !isFileNameExtension(extensions[i]) || !sample.open(QIODevice::WriteOnly)
            || sample.write(QByteArray(64, '\0')) != 64)
            continue;
        paths << path;
        position.insert(path, i);
    }
    if (paths.isEmpty())
        return types;
    const std::optional<QString> output
        = gio(QStringList {QStringLiteral("info"), QStringLiteral("-a"), QStringLiteral("standard::content-type")}
                  + paths);
    if (!output)
        return std::nullopt;
    qsizetype current = -1;
    for (const QString& line : output->split(u'\n')) {
        if (line.startsWith(QStringLiteral("local path: ")))
            current = position.value(line.mid(12), -1);
        else if (current >= 0 && line.trimmed().startsWith(QStringLiteral("standard::content-type: ")))
            types[current] = line.trimmed().mid(24);
    }
    return types;
}

std::optional<GioQuery::Handlers> GioQuery::handlers(const QString& mimeType)
{
    const std::optional<QString> output = gio({QStringLiteral("mime"), mimeType});
    if (!output)
        return std::nullopt;
    Handlers handlers;
    bool registered = false;
    for (const QString& line : output->split(u'\n')) {
        if (line.startsWith(QStringLiteral("Default application for ")))
            handlers.defaultApplication = line.section(QStringLiteral(": "), -1).trimmed();
        else if (!line.startsWith(u'\t'))
            registered = line.startsWith(QStringLiteral("Registered applications:"));
        else if (registered)
            handlers.applications << line.trimmed();
    }
    return handlers;
}

} // namespace registry
