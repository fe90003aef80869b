// The one way keys reach the classes root: each change is made, or told in both languages with
// the key and the status that stopped it.
#include "registry/KeyWriter.h"

namespace registry {

std::optional<platform::ClassesRootFailure> KeyWriter::write(platform::ClassesRoot& root, const QString& path,
                                                             const QString& data)
{
    platform::ClassesRoot::Key key = 0;
    if (const long status = root.createKey(path, &key); status != platform::StatusSuccess) {
        return platform::ClassesRootFailure {
            QStringLiteral("The key HKEY_CLASSES_ROOT\\%1 could not be created (error %2).").arg(path).arg(status),
            QStringLiteral("La clé HKEY_CLASSES_ROOT\\%1 n'a pas pu être créée (erreur %2).").arg(path).arg(status)};
    }
    const long status = root.setDefaultValue(key, data);
    root.closeKey(key);
    if (status == platform::StatusSuccess)
        return std::nullopt;
    return platform::ClassesRootFailure {
        QStringLiteral("The value of the key HKEY_CLASSES_ROOT\\%1 could not be set (error %2).").arg(path).arg(status),
        QStringLiteral("La valeur de la clé HKEY_CLASSES_ROOT\\%1 n'a pas pu être écrite (erreur %2).")
            .arg(path)
            .arg(status)};
}

} // namespace registry
