// The per-user settings store: one group per section in the platform's store.
#include "platform/Settings.h"

#include <QSettings>

namespace platform {

QString GetSetting(const QString& application, const QString& section, const QString& key)
{
    const auto store = detail::openSettingsStore(application);
    return store->value(section + QLatin1Char('/') + key).toString();
}

bool SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value)
{
    const auto store = detail::openSettingsStore(application);
    store->setValue(section + QLatin1Char('/') + key, value);
    store->sync();
    return store->status() == QSettings::NoError;
}

} // namespace platform
