// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's language: the one the user chose, else the system's, and its translation.
#include "platform/Language.h"

#include "platform/Settings.h"

#include <QCoreApplication>
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

void translateInto(bool french)
{
    QCoreApplication* application = QCoreApplication::instance();
    // The translator belongs to the application, which keeps it while it is not in force.
    auto* translator = application->findChild<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly);
    if (!translator) {
        translator = new QTranslator(application);
        translator->setObjectName(kTranslatorName);
        if (!translator->load(kFrenchTranslation))
            qWarning("zelvane: the French translation could not be read");
    }
    // Installed once only: the application would search it as often as it is installed.
    QCoreApplication::removeTranslator(translator);
    if (french)
        QCoreApplication::installTranslator(translator);
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
