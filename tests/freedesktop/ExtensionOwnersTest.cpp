// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which other program's type an extension names, read from the system's MIME database, a type of
// ours the test publishes and the desktop entries it writes.
#include "TestEnvironment.h"
#include "platform/ExtensionOwners.h"

#include <gtest/gtest.h>

namespace {

// The desktop's whole database answers, not the first pattern of the system's: types of equal
// weight and patterns that are not "*.<extension>" count. (QMimeDatabase reads a database again
// only seconds after its last read, so our own types, which hide the system's, are not published
// here between rows.)
TEST(ExtensionOwners, TheDesktopsTypesOfAnExtensionThatAnApplicationOpens)
{
    const struct {
        const char *name, *extension, *opens;
        const char* expected; // "<type description> | <application>", or "-"
    } rows[] = {
        {"a type of the system's", "md", "text/markdown", "Markdown document | Opener"},
        {"a parent type's application", "md", "text/plain", "Markdown document | Opener"},
        {"a type no application opens", "md", "image/png", "-"},
        {"the second type of equal weight", "smd", "application/x-genesis-rom", "Genesis ROM | Opener"},
        {"a pattern of another form", "1", "application/x-troff-man", "Manual page | Opener"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestEnvironment env;
        TestEnvironment::writeFile(env.systemDataDir() + "/applications/opener.desktop",
                                   QByteArray("[Desktop Entry]\nType=Application\nName=Opener\nExec=open %f\nMimeType=") + row.opens + ";\n");
        const auto owner = platform::openExtensionOwners()->ownerOf(row.extension, false);
        EXPECT_EQ(owner ? owner->typeDescription + " | " + owner->application : "-", QString(row.expected));
    }
}

} // namespace
