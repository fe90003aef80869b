// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The types a class is published under, one per system type of its extensions, the package the
// MIME database compiles from them, and the system's types they are chosen from.
#include "freedesktop/DesktopTypes.h"

#include "RegistryTestSupport.h"
#include "freedesktop/DesktopMimePackage.h"
#include "freedesktop/DesktopNames.h"
#include "freedesktop/SystemMimeTypes.h"

using registry::DesktopTypes;

namespace {

// Each type as "name-suffix<parent: extensions", the suffix after the class's own type name.
QStringList described(const std::vector<DesktopTypes::Type>& types, const QString& className)
{
    QStringList lines;
    for (const DesktopTypes::Type& type : types)
        lines << type.name.mid(registry::DesktopNames::mimeType(className).size()) + '<' + type.parent + ": " + type.extensions.join(' ');
    return lines;
}

} // namespace

TEST(DesktopTypes, OneTypePerSystemTypeTheLargestGroupKeepingTheClasssName)
{
    const QHash<QString, QString> system = {{"nes", "application/x-nes-rom"}, {"unf", "application/x-nes-rom"},
                                            {"fds", "application/x-fds-disk"}, {"bin", "application/octet-stream"},
                                            {"zz", "application/x-zelvane-other"}, {"cue", "application/x-cue"}};
    const struct { QStringList extensions; QStringList types; } cases[] = {
        {{}, {"<: "}},
        {{"fc0", "fc1"}, {"<: fc0 fc1"}},
        {{"NES", "fds", "unf"}, {"<application/x-nes-rom: NES unf", ".application.x-fds-disk<application/x-fds-disk: fds"}},
        // A tie: the first extension's group. Binary data of no type, and a type of ours, are no parent.
        {{"cue", "bin"}, {"<application/x-cue: cue", ".other<: bin"}},
        {{"cue", "bin", "zz"}, {"<: bin zz", ".application.x-cue<application/x-cue: cue"}},
        {{"s*c", "", "cue"}, {"<application/x-cue: cue"}},
    };
    for (const auto& c : cases) {
        registry::DesktopAssociation association;
        association.className = "Zelvane.NES.Rom";
        association.extensions = c.extensions;
        EXPECT_EQ(described(DesktopTypes::of(association, system), association.className), c.types) << c.extensions.join(' ').toStdString();
    }
    const QString own = registry::DesktopNames::mimeType("A");
    EXPECT_TRUE(DesktopTypes::belongsTo(own, "a") && DesktopTypes::belongsTo(own + ".other", "A"));
    EXPECT_FALSE(DesktopTypes::belongsTo(own + "b", "A") || DesktopTypes::belongsTo(registry::DesktopNames::mimeType("A.B"), "A"));
}

// A console named with control characters still makes a package the database compiles: XML keeps
// tabs and line breaks, and cannot carry the others. (The subclass relations it compiles, and GIO
// follows, are the publisher's and the command line's checks.)
TEST(DesktopTypes, APackageEvenOfControlCharactersCompilesAndNamesOurIconOnlyWhereTheClassHasOne)
{
    TestEnvironment env;
    registry::DesktopAssociation association;
    association.className = "Cart";
    association.extensions = {"nes", "cue", "fc0"};
    association.console = QString("Tab\there\nNew\rline") + QChar(0x01) + "bell" + QChar(0x1f) + "unit";
    const QByteArray package = registry::DesktopMimePackage::text({association}, {{"nes", "application/x-nes-rom"}, {"cue", "application/x-cue"}});
    EXPECT_TRUE(package.contains("Tab\there\nNew\rline bell unit")) << package.toStdString();
    EXPECT_FALSE(package.contains("<icon"));
    association.iconReference = "emul.dll,3";
    EXPECT_TRUE(registry::DesktopMimePackage::text({association}, {}).contains("<icon name=\"" + registry::DesktopNames::iconName("Cart").toUtf8() + "\"/>"));
    TestEnvironment::writeFile(env.dataHome() + "/mime/packages/zelvane.xml", package);
    // The tool goes on past a package it cannot parse: what it compiled tells.
    ASSERT_EQ(desktoptest::run("update-mime-database", {env.dataHome() + "/mime"}).exitCode, 0);
    EXPECT_TRUE(TestEnvironment::readFile(env.dataHome() + "/mime/types").contains(registry::DesktopNames::mimeType("Cart").toUtf8() + ".application.x-cue\n"));
}

// The system's database as the types are chosen from it: comments and short lines are no pattern, a
// case-sensitive one matches its spelling alone, the heaviest wins, then the first folder; aliases too.
TEST(SystemMimeTypes, ReadsThePatternsOfTheExtensionsAskedAbout)
{
    TestEnvironment env;
    const QString first = env.root() + "/first", second = env.root() + "/second";
    TestEnvironment::writeFile(first + "/globs2", "# 50:application/x-fake:*.zzq\n50:application/x-short\n40:application/x-nes-rom:*.nes\n"
                               "60:application/x-heavy:*.nes\n50:application/x-light:*.NES\n50:application/x-sfc:*.SFC:cs\n50:text/markdown:*.md\n");
    TestEnvironment::writeFile(second + "/globs2", "90:application/x-later:*.nes\n50:application/x-gb:*.gb\n");
    TestEnvironment::writeFile(first + "/aliases", "application/x-old application/x-new\n");
    TestEnvironment::writeFile(second + "/aliases", "application/x-old application/x-other\napplication/x-b application/x-c\n");
    const registry::SystemMimeTypes system({first, second}, {"nes", "SFC", "gb", "zzq", "short"});
    const std::pair<const char*, const char*> types[] = {{"nes", "application/x-heavy"}, {"NES", "application/x-heavy"}, {"SFC", "application/x-sfc"},
                                                         {"sfc", ""}, {"gb", "application/x-gb"}, {"zzq", ""}, {"short", ""}, {"md", ""}};
    for (const auto& [extension, type] : types)
        EXPECT_EQ(system.typeOf(extension), type) << extension;
    EXPECT_EQ(QStringList({system.canonical("application/x-old"), system.canonical("application/x-b"), system.canonical("application/x-new")}),
              QStringList({"application/x-new", "application/x-c", "application/x-new"}));
}
