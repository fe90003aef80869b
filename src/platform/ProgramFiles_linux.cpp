// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's folders on Linux: the executable's folder, and $XDG_DATA_HOME/zelvane as the
// folder that receives the icon library.
#include "platform/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {
namespace {

// A copy that already holds the same bytes is left alone: rewriting it would change nothing
// but cost a write to disk at every start.
bool sameContent(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.size() == bytes.size() && file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

// A file, or a link even when it leads nowhere.
bool isPresent(const QString& path)
{
    const QFileInfo file(path);
    return file.exists() || file.isSymLink();
}

} // namespace

QString programDirectory()
{
    // /proc/self/exe names the real file even when the program was started through a link,
    // so a copy of the program in another folder finds its own catalogue and icon library.
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

QString systemDirectory(QString* error)
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    const QString dir = QDir::cleanPath(dataHome + QStringLiteral("/zelvane"));
    if (!QDir().mkpath(dir)) {
        *error = QCoreApplication::translate("ProgramFiles", "cannot create the folder %1").arg(dir);
        return {};
    }
    if (!QFileInfo(dir).isWritable()) {
        *error = QCoreApplication::translate("ProgramFiles", "cannot write in the folder %1").arg(dir);
        return {};
    }
    return dir;
}

bool installIconLibrary(const QString& source, const QString& systemDir, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("ProgramFiles", "cannot read %1: %2").arg(source, in.errorString());
        return false;
    }
    const QByteArray library = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        *error = QCoreApplication::translate("ProgramFiles", "cannot read %1: %2").arg(source, in.errorString());
        return false;
    }
    const QString target = joinPath(systemDir, QStringLiteral("Emul.dll"));
    if (!sameContent(target, library)) {
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly) || out.write(library) != library.size() || !out.commit()) {
            *error = QCoreApplication::translate("ProgramFiles", "cannot write %1: %2").arg(target, out.errorString());
            return false;
        }
    }
    // Windows file names ignore letter case, and the icon references name "emul.dll":
    // on a case-sensitive file system a link makes both names the same file.
    const QString lowerName = joinPath(systemDir, QStringLiteral("emul.dll"));
    // Another start at the same moment may remove or make the same link: what counts is that the
    // name ends up on the library.
    const auto linked = [&] { return QFileInfo(lowerName).canonicalFilePath() == QFileInfo(target).canonicalFilePath(); };
    if (linked())
        return true;
    if (isPresent(lowerName) && !QFile::remove(lowerName) && isPresent(lowerName)) {
        *error = QCoreApplication::translate("ProgramFiles", "cannot replace %1").arg(lowerName);
        return false;
    }
    if (!QFile::link(QStringLiteral("Emul.dll"), lowerName) && !linked()) {
        *error = QCoreApplication::translate("ProgramFiles", "cannot create the link %1").arg(lowerName);
        return false;
    }
    return true;
}

QString joinPath(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('/') + name;
}

} // namespace platform
