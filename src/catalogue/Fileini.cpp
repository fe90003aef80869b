// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the program reads the catalogue: one value per call, looked up in the file anew.
#include "catalogue/Fileini.h"

#include "catalogue/AnsiText.h"
#include "platform/ProfileString.h"
#include "platform/ProgramFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <array>

namespace Fileini {

namespace {
constexpr int kBufferLength = 128;
constexpr int kBufferSize = 127; // what the lookup may fill, NUL included: 126 characters at most

// The catalogue a user keeps beside their settings (Zelvane/ in the per-user configuration folder).
QString userCataloguePath()
{
    QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // A relative $XDG_CONFIG_HOME is invalid by the XDG base directory rules: the settings store
    // then uses ~/.config, and so does the catalogue.
    if (!QDir::isAbsolutePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/Zelvane/Zelvane.ini");
}
} // namespace

QString IniEmpty()
{
    return QString(kBufferLength, QChar(u'\0'));
}

QString GetIniString(const QString& Section, const QString& Key, const QString& File)
{
    std::array<char, kBufferLength> buffer {};
    const int count = platform::GetPrivateProfileStringA(Section.toUtf8(), Key.toUtf8(), "",
                                                         buffer.data(), kBufferSize, File);
    if (count < 1)
        return IniEmpty();
    return AnsiText::decode(QByteArray(buffer.data(), count));
}

QString cataloguePath(const QString& programDirectory)
{
    // An installed program's folder is not the user's to change: their own catalogue wins.
    const QString userCatalogue = userCataloguePath();
    if (QFileInfo(userCatalogue).isFile())
        return userCatalogue;
    return platform::joinPath(programDirectory, QStringLiteral("Zelvane.ini"));
}

QString consoleNumber(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace Fileini
