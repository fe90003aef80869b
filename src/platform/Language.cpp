// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's language: the one the user chose, else the system's, and its translation.
#include "platform/Language.h"

#include "platform/Settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace platform {

namespace {

// The build compiles translations/zelvane_fr.ts into the program's resources.
const QString kFrenchTranslation = QStringLiteral(":/i18n/zelvane_fr.qm");
const QString kTranslatorName = QStringLiteral("zelvane_fr");

} // namespace

bool speaksFrench()
{
    const QString chosen = GetSetting(QStringLiteral("Zelvane"), QStringLiteral("Options"), QStringLiteral("Langue"));
    if (!chosen.isEmpty())
        return chosen == QLatin1String("FR");
    return QLocale::system().language() == QLocale::French;
}

namespace {

// The translator `name` of the application, read from `file` the first time; it belongs to the
// application, which keeps it while it is not in force.
QTranslator* translatorOf(QCoreApplication* application, const QString& name, const QString& file)
{
    auto* translator = application->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly);
    if (!translator) {
        translator = new QTranslator(application);
        translator->setObjectName(name);
        if (!translator->load(file) && file == kFrenchTranslation)
            qWarning("zelvane: the French translation could not be read");
    }
    return translator;
}

} // namespace

void translateInto(bool french)
{
    QCoreApplication* application = QCoreApplication::instance();
    // Qt's own texts (the file dialog's, the standard buttons') come from Qt's translations, where
    // the system has them (Debian's qt6-translations-l10n).
    const QString qtTranslation = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_fr.qm");
    for (QTranslator* translator : {translatorOf(application, QStringLiteral("qtbase_fr"), qtTranslation),
                                    translatorOf(application, kTranslatorName, kFrenchTranslation)}) {
        // Installed once only: the application would search it as often as it is installed.
        QCoreApplication::removeTranslator(translator);
        if (french)
            QCoreApplication::installTranslator(translator);
    }
}

QString frenchOf(const char* context, const char* source)
{
    static const std::unique_ptr<const QTranslator> french = [] {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(kFrenchTranslation))
            qWarning("zelvane: the French translation could not be read");
        return std::unique_ptr<const QTranslator>(std::move(translator));
    }();
    const QString translation = french->translate(context, source);
    return translation.isEmpty() ? QString::fromUtf8(source) : translation;
}

} // namespace platform
