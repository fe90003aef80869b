// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Association benchmark: the time from a Finish's first write to its file type being visible to
// `gio info`, for Zelvane (the Linux classes root and its desktop publisher) and for xdg-utils
// doing the same association, each in a private XDG home; medians and their ratio.
#include "platform/ClassesRoot.h"
#include "freedesktop/DesktopAssociation.h"
#include "freedesktop/DesktopEntry.h"
#include "freedesktop/DesktopExec.h"
#include "freedesktop/DesktopIcons.h"
#include "freedesktop/DesktopMimePackage.h"
#include "freedesktop/DesktopNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

using registry::DesktopNames;

namespace {

const QString kRom = QStringLiteral("SnesRom");
const QString kSave = QStringLiteral("SnesSave");
const QString kVerb = QStringLiteral("Jouer - Play");
const QString kCommand = QStringLiteral("\"/usr/bin/true\" \"%1\"");

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "association_bench: %s\n", qPrintable(what));
    std::exit(1);
}

void runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        fail(program + u' ' + arguments.join(u' ') + QStringLiteral(" failed: ")
             + QString::fromLocal8Bit(process.readAll()));
}

// The one check both sides end with: gio sees the ROM type.
void expectVisible(const QString& game)
{
    QProcess gio;
    gio.start(QStringLiteral("gio"),
              { QStringLiteral("info"), QStringLiteral("-a"),
                QStringLiteral("standard::content-type"), game });
    gio.waitForFinished(60'000);
    const QString output = QString::fromUtf8(gio.readAllStandardOutput());
    if (!output.contains(QStringLiteral("standard::content-type: ") + DesktopNames::mimeType(kRom)))
        fail(QStringLiteral("gio does not see the ROM type:\n") + output);
}

// A private XDG home holding what the program's start leaves there: the icon library copy.
class Home {
public:
    explicit Home(const QString& iconLibrary)
    {
        qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/config")).toLocal8Bit());
        QDir().mkpath(dataHome() + QStringLiteral("/zelvane"));
        if (!QFile::copy(iconLibrary, iconFile()))
            fail(QStringLiteral("cannot copy ") + iconLibrary);
        QFile rom(game());
        if (!rom.open(QIODevice::WriteOnly) || rom.write("\x12\x34\xfe\xdc rom data") < 0)
            fail(QStringLiteral("cannot write ") + game());
    }

    QString dataHome() const { return m_dir.path() + QStringLiteral("/data"); }
    QString iconFile() const { return dataHome() + QStringLiteral("/zelvane/emul.dll"); }
    QString game() const { return m_dir.path() + QStringLiteral("/game.smc"); }
    QString staging() const { return m_dir.path() + QStringLiteral("/staging"); }

private:
    QTemporaryDir m_dir;
};

// The keys one Finish writes for a console with one ROM and one save extension.
std::vector<std::pair<QString, QString>> finishWrites(const QString& iconFile)
{
    return {
        { kRom, kRom },
        { kSave, kSave },
        { kRom + QStringLiteral("\\shell"), kVerb },
        { QStringLiteral(".smc"), kRom },
        { QStringLiteral("Super Nintendo"), kRom },
        { kRom + QStringLiteral("\\shell\\") + kVerb + QStringLiteral("\\command"), kCommand },
        { QStringLiteral(".srm"), kSave },
        { kRom + QStringLiteral("\\DefaultIcon"), iconFile + QStringLiteral(",0") },
        { kSave + QStringLiteral("\\DefaultIcon"), iconFile + QStringLiteral(",1") },
    };
}

// One sequence of writes of the classes root, published.
void writeAndPublish(const std::vector<std::pair<QString, QString>>& writes, const QStringList& classNames)
{
    const std::unique_ptr<platform::ClassesRoot> root = platform::openClassesRoot();
    for (const auto& [path, data] : writes) {
        platform::ClassesRoot::Key key = 0;
        if (root->createKey(path, &key) != platform::StatusSuccess
            || root->setDefaultValue(key, data) != platform::StatusSuccess)
            fail(QStringLiteral("cannot write the key ") + path);
        root->closeKey(key);
    }
    const QList<platform::Failure> failures = root->finishWrites(classNames);
    for (const platform::Failure& failure : failures)
        fail(failure.english);
}

// `others` consoles associated beforehand, as a full catalogue leaves the hive: their keys, one
// sequence, untimed.
void associateOthers(const Home& home, int others)
{
    std::vector<std::pair<QString, QString>> writes;
    QStringList classNames;
    for (int n = 1; n <= others; ++n) {
        const QString rom = QStringLiteral("Other%1Rom").arg(n), save = QStringLiteral("Other%1Save").arg(n);
        for (const auto& [path, data] : finishWrites(home.iconFile())) {
            QString key = path, value = data;
            key.replace(kRom, rom).replace(kSave, save).replace(QStringLiteral("Super Nintendo"),
                                                                 QStringLiteral("Other console %1").arg(n));
            key.replace(QStringLiteral(".smc"), QStringLiteral(".o%1").arg(n))
                .replace(QStringLiteral(".srm"), QStringLiteral(".p%1").arg(n));
            writes.emplace_back(key, value.replace(kRom, rom).replace(kSave, save));
        }
        classNames << rom << save;
    }
    if (others > 0)
        writeAndPublish(writes, classNames);
}

double timeZelvane(const QString& iconLibrary, int others = 0)
{
    const Home home(iconLibrary);
    associateOthers(home, others);
    QElapsedTimer timer;
    timer.start();
    writeAndPublish(finishWrites(home.iconFile()), { kRom, kSave });
    expectVisible(home.game());
    return timer.nsecsElapsed() / 1e6;
}

// The same files as ours, made beforehand so that only xdg-utils' own work is timed.
struct XdgInputs {
    QString package;
    QString entry;
    std::vector<std::pair<QString, int>> icons; // (PNG file, size) of both classes
};

XdgInputs prepareXdgInputs(const Home& home)
{
    registry::DesktopAssociation rom {
        kRom, kRom, kCommand, home.iconFile() + QStringLiteral(",0"), { QStringLiteral("smc") },
        QStringLiteral("SNES"), false
    };
    registry::DesktopAssociation save {
        kSave, kSave, {}, home.iconFile() + QStringLiteral(",1"), { QStringLiteral("srm") },
        QStringLiteral("SNES"), true
    };
    XdgInputs inputs;
    QDir().mkpath(home.staging());
    // xdg-mime and xdg-desktop-menu want a vendor prefix on the file names.
    inputs.package = home.staging() + QStringLiteral("/zelvane-bench.xml");
    inputs.entry = home.staging() + u'/' + DesktopNames::desktopFileName(kRom);
    QFile package(inputs.package);
    QFile entry(inputs.entry);
    if (!package.open(QIODevice::WriteOnly)
        || package.write(registry::DesktopMimePackage::text({ rom, save }, {})) < 0
        || !entry.open(QIODevice::WriteOnly)
        || entry.write(registry::DesktopEntry::text(
               kRom, kRom, DesktopNames::iconName(kRom), {DesktopNames::mimeType(kRom)},
               registry::DesktopExec::fromWindowsCommand(kCommand).exec))
            < 0)
        fail(QStringLiteral("cannot write the inputs in ") + home.staging());
    for (const registry::DesktopAssociation& association : { rom, save }) {
        int written = 0;
        const QString icons = home.staging() + QStringLiteral("/icons");
        if (!registry::DesktopIcons::install(association.className, association.iconReference,
                                             DesktopNames::iconName(association.className), icons,
                                             &written)
                 .empty())
            fail(QStringLiteral("cannot extract the icon ") + association.iconReference);
    }
    QDirIterator it(home.staging() + QStringLiteral("/icons"), { QStringLiteral("*.png") },
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString png = it.next();
        // .../<N>x<N>/mimetypes/<name>.png
        inputs.icons.emplace_back(png, png.section(u'/', -3, -3).section(u'x', 0, 0).toInt());
    }
    return inputs;
}

double timeXdgUtils(const QString& iconLibrary)
{
    const Home home(iconLibrary);
    const XdgInputs inputs = prepareXdgInputs(home);
    QElapsedTimer timer;
    timer.start();
    runTool(QStringLiteral("xdg-mime"),
            { QStringLiteral("install"), QStringLiteral("--mode"), QStringLiteral("user"),
              inputs.package });
    for (const auto& [png, size] : inputs.icons) {
        runTool(QStringLiteral("xdg-icon-resource"),
                { QStringLiteral("install"), QStringLiteral("--noupdate"), QStringLiteral("--mode"),
                  QStringLiteral("user"), QStringLiteral("--context"), QStringLiteral("mimetypes"),
                  QStringLiteral("--size"), QString::number(size), png,
                  QFileInfo(png).completeBaseName() });
    }
    runTool(QStringLiteral("xdg-icon-resource"),
            { QStringLiteral("forceupdate"), QStringLiteral("--mode"), QStringLiteral("user") });
    runTool(QStringLiteral("xdg-desktop-menu"),
            { QStringLiteral("install"), QStringLiteral("--mode"), QStringLiteral("user"),
              inputs.entry });
    runTool(QStringLiteral("xdg-mime"),
            { QStringLiteral("default"), QFileInfo(inputs.entry).fileName(),
              DesktopNames::mimeType(kRom) });
    expectVisible(home.game());
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const QString iconLibrary
        = QCoreApplication::applicationDirPath() + QStringLiteral("/Emul.icl");
    if (!QFile::exists(iconLibrary))
        fail(QStringLiteral("no icon library at ") + iconLibrary);
    // gio finds shared-mime-info's base database through XDG_DATA_DIRS and needs no session.
    if (qEnvironmentVariableIsEmpty("XDG_DATA_DIRS"))
        qputenv("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    qputenv("GIO_USE_VFS", "local");

    timeZelvane(iconLibrary); // warm the file cache once for each side
    timeXdgUtils(iconLibrary);
    std::vector<double> ours, theirs, full;
    for (int i = 0; i < rounds; ++i) {
        ours.push_back(timeZelvane(iconLibrary));
        theirs.push_back(timeXdgUtils(iconLibrary));
        full.push_back(timeZelvane(iconLibrary, 14));
    }
    const double zelvane = median(ours), xdgUtils = median(theirs);
    std::printf(
        "one Finish (2 classes, their icons, 1 desktop entry) until gio info sees the type, "
        "median of %d rounds\n",
        rounds);
    std::printf("  %-10s %10.1f ms\n", "zelvane", zelvane);
    std::printf("  %-10s %10.1f ms\n", "xdg-utils", xdgUtils);
    std::printf("  ratio %.2f (target: at most 0.50)\n", zelvane / xdgUtils);
    std::printf("the same Finish with 14 other consoles already in the hive\n");
    std::printf("  %-10s %10.1f ms\n", "zelvane", median(full));
    return 0;
}
