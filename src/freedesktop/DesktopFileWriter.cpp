// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads, writes and removes the files of the desktop publisher, whole or not at all.
#include "freedesktop/DesktopFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace registry {

namespace {

platform::Failure readFailure(const QString& path, const platform::Failure& why)
{
    return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "Could not read %1: %2")).arg(path, why);
}

} // namespace

std::optional<platform::Failure> DesktopFileWriter::write(const QString& path,
                                                                     const QByteArray& data)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "Could not create the folder %1")).arg(folder);
    }
    // Each change publishes every class again: a file that already holds its bytes is left as
    // it is, rather than flushed to the disk once more.
    QFile current(path);
    if (QFileInfo(path).isFile() && current.size() == data.size() && current.open(QIODevice::ReadOnly)
        && current.readAll() == data)
        return std::nullopt;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "Could not write %1: %2")).arg(path, file.errorString());
    }
    return std::nullopt;
}

std::optional<platform::Failure> DesktopFileWriter::read(const QString& path,
                                                                    QByteArray* data)
{
    data->clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    if (!info.isFile())
        return readFailure(path, platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "it is not a regular file")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(path, {file.errorString(), file.errorString()});
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return readFailure(path, {file.errorString(), file.errorString()});
    return std::nullopt;
}

std::optional<platform::Failure> DesktopFileWriter::remove(const QString& path,
                                                                      bool* removed)
{
    QFile file(path);
    const bool present = QFileInfo(path).exists() || QFileInfo(path).isSymLink();
    const bool failed = present && !file.remove();
    if (removed)
        *removed = present && !failed;
    if (failed)
        return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "Could not remove %1: %2")).arg(path, file.errorString());
    return std::nullopt;
}

} // namespace registry
