// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Extension owners benchmark: what an Expert extension page waits for on this desktop, the first
// page (the desktop entries read) and each one after, beside asking gio for the same extensions.
#include "platform/ExtensionOwners.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <cstdio>

namespace {

// Two pages' worth of the shipped catalogue's extensions, some of which other types have.
const QStringList kPage = {"nes", "fds", "unf", "unif"};
const QStringList kOtherPage = {"gen", "smd", "sav", "md"};

double pageMs(platform::ExtensionOwners& owners, const QStringList& extensions)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString& extension : extensions)
        owners.ownerOf(extension, false);
    return timer.nsecsElapsed() / 1e6;
}

// One `gio info` of a sample file per extension and one `gio mime` per type, as the check after
// Finish asks.
double gioPageMs(const QStringList& extensions)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString& extension : extensions) {
        QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"),
                          QStringLiteral("f=$(mktemp --suffix=.%1) && gio info -a standard::content-type \"$f\" "
                                         ">/dev/null; gio mime application/x-nes-rom >/dev/null; rm -f \"$f\"").arg(extension)});
    }
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const std::unique_ptr<platform::ExtensionOwners> owners = platform::openExtensionOwners();
    std::printf("first page (desktop entries read): %8.2f ms\n", pageMs(*owners, kPage));
    std::printf("another page:                      %8.2f ms\n", pageMs(*owners, kOtherPage));
    std::printf("a page again (cached):             %8.3f ms\n", pageMs(*owners, kPage));
    std::printf("the same page through gio:         %8.2f ms\n", gioPageMs(kPage));
    return 0;
}
