// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Names the desktop sees for a class of the hive: safe file, MIME and icon names.
#include "freedesktop/DesktopNames.h"

#include "freedesktop/DesktopExec.h"

#include <QCryptographicHash>

namespace registry {

namespace {

// Long enough for a readable name, short enough that every file name built from it stays far
// below the file system's limit.
constexpr int kReadableLength = 48;

bool isKept(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-';
}

QChar asciiLower(QChar c)
{
    return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

} // namespace

QString DesktopNames::safeName(const QString& className)
{
    QString readable;
    bool changed = className.isEmpty() || className.size() > kReadableLength;
    for (const QChar c : className.left(kReadableLength)) {
        const QChar lower = asciiLower(c);
        if (isKept(lower)) {
            readable += lower;
        } else {
            changed = true;
            if (!readable.endsWith(u'-'))
                readable += u'-';
        }
    }
    if (!changed)
        return readable;
    // Kept names never hold '_', so a hashed name can never equal a kept one.
    const QByteArray hash
        = QCryptographicHash::hash(className.toCaseFolded().toUtf8(), QCryptographicHash::Sha1)
              .toHex()
              .left(8);
    while (readable.startsWith(u'-'))
        readable.remove(0, 1);
    while (readable.endsWith(u'-'))
        readable.chop(1);
    return readable + u'_' + QString::fromLatin1(hash);
}

DesktopNames::Title DesktopNames::typeComment(const DesktopAssociation& association)
{
    const QString& console = association.console;
    if (console.isEmpty()) {
        const QString own = association.description.isEmpty() ? association.className : association.description;
        return {own, own};
    }
    if (association.saveStates)
        return {console + QStringLiteral(" save state"), QStringLiteral("Sauvegarde d'état ") + console};
    return {console + QStringLiteral(" ROM"), QStringLiteral("ROM ") + console};
}

DesktopNames::Title DesktopNames::entryName(const DesktopAssociation& association)
{
    // The program as the shell finds it, without its folder nor a Windows program's extension.
    QString program = DesktopExec::splitWindowsCommand(association.command.value_or(QString())).value(0);
    program = program.section(u'/', -1).section(u'\\', -1);
    if (program.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        program.chop(4);
    const Title type = typeComment(association);
    if (program.isEmpty())
        return type;
    const QString console = association.console.isEmpty() ? type.english : association.console;
    const QString name = program + QStringLiteral(" \u2014 ") + console;
    return {name, name};
}

namespace {

const QString kTypePrefix = QStringLiteral("application/x-zelvane-");

} // namespace

QString DesktopNames::mimeType(const QString& className)
{
    return kTypePrefix + safeName(className);
}

bool DesktopNames::isOurType(const QString& mimeType)
{
    return mimeType.startsWith(kTypePrefix);
}

QString DesktopNames::iconName(const QString& className)
{
    return QStringLiteral("application-x-zelvane-") + safeName(className);
}

QString DesktopNames::desktopFileName(const QString& className)
{
    return QStringLiteral("zelvane-") + safeName(className) + QStringLiteral(".desktop");
}

bool DesktopNames::isPublishableExtension(const QString& extension)
{
    if (extension.isEmpty())
        return false;
    // Pattern metacharacters would widen the pattern; '/' never occurs in a file name; ':'
    // separates the fields of the database the patterns are compiled into.
    static const QString reserved = QStringLiteral("*?[]\\/:");
    for (const QChar c : extension) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || reserved.contains(c))
            return false;
    }
    return true;
}

bool DesktopNames::isPublishableClass(const QString& className)
{
    return !className.isEmpty() && !className.startsWith(u'.') && !className.contains(u'\\');
}

} // namespace registry
