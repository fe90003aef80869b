// Writes one file of the desktop publisher whole or not at all.
#include "registry/DesktopFileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace registry {

std::optional<platform::ClassesRootFailure> DesktopFileWriter::write(const QString& path,
                                                                     const QByteArray& data)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        return platform::ClassesRootFailure {
            QStringLiteral("Could not create the folder %1").arg(folder),
            QStringLiteral("Impossible de créer le dossier %1").arg(folder)
        };
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        return platform::ClassesRootFailure {
            QStringLiteral("Could not write %1: %2").arg(path, file.errorString()),
            QStringLiteral("Impossible d'écrire %1 : %2").arg(path, file.errorString())
        };
    }
    return std::nullopt;
}

} // namespace registry
