// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Publishes the classes of the hive to the Linux desktop through the freedesktop.org standards.
#include "freedesktop/DesktopPublisher.h"

#include "freedesktop/DesktopApplications.h"
#include "freedesktop/DesktopAssociation.h"
#include "freedesktop/DesktopEntry.h"
#include "freedesktop/DesktopExec.h"
#include "freedesktop/DesktopFileWriter.h"
#include "freedesktop/DesktopIcons.h"
#include "freedesktop/DesktopMimeApps.h"
#include "freedesktop/DesktopMimePackage.h"
#include "freedesktop/DesktopNames.h"
#include "freedesktop/DesktopTool.h"
#include "freedesktop/DesktopTypes.h"
#include "freedesktop/SystemMimeTypes.h"
#include "hive/RegistryHive.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>
#include <iterator>
#include <list>
#include <optional>

namespace registry {

namespace {

platform::Failure execProblem(DesktopExec::Problem problem)
{
    switch (problem) {
    case DesktopExec::Problem::EmptyCommand:
        return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "it names no program"));
    case DesktopExec::Problem::FileAsProgram:
        return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "the file stands where the program belongs"));
    case DesktopExec::Problem::UnstorableCharacter:
        return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "it holds a character that no program argument can carry"));
    case DesktopExec::Problem::None:
        break;
    }
    return {};
}

// One run of publish(): the folders it writes in and what it gathers on the way.
class Publication {
public:
    Publication()
        : m_dataHome(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        , m_configHome(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
    {
    }

    // Every class of the hive, `hiveClasses`, that can be published: each is published whole, so
    // that one written into the hive by hand gets its entry, default and icon with the next
    // change. A name of `classNames` the hive holds that cannot be published is reported; any
    // other is withdrawn from the desktop, as the hive no longer backs what was published for it.
    QStringList publishable(const RegistryHive& hive, const QStringList& classNames,
                            const QStringList& hiveClasses)
    {
        QStringList classes;
        for (const QString& name : hiveClasses) {
            if (DesktopNames::isPublishableClass(name))
                classes << name;
        }
        for (const QString& name : classNames) {
            if (!DesktopNames::isPublishableClass(name)) {
                if (hive.hasKey(name))
                    refuseClass(name);
            } else if (!hiveClasses.contains(name, Qt::CaseInsensitive)) {
                withdrawClass(name);
            }
        }
        return classes;
    }

    // The package covers every class of the hive, so that an extension that moved to another
    // class leaves its former one, and earlier associations stay. The database is rebuilt
    // while the icons are made.
    void startMimePackage(const std::vector<DesktopAssociation>& classes)
    {
        readSystemTypes(classes);
        const QString mimeDir = m_dataHome + QStringLiteral("/mime");
        if (write(mimeDir + QStringLiteral("/packages/zelvane.xml"),
                  DesktopMimePackage::text(classes, m_systemTypes)))
            m_mimeTool.emplace(QStringLiteral("update-mime-database"), QStringList { mimeDir });
    }

    // Whether the types are in the MIME database.
    bool finishMimePackage()
    {
        if (!m_mimeTool)
            return false;
        const auto failure = m_mimeTool->finish();
        if (failure)
            m_failures.push_back(*failure);
        return !failure;
    }

    void reportUnpublishableExtensions(const DesktopAssociation& association)
    {
        for (const QString& extension : association.extensions) {
            // The key "." (an empty catalogue value) names no extension at all.
            if (!extension.isEmpty() && !DesktopNames::isPublishableExtension(extension))
                refuseExtension(association.className, extension);
        }
    }

    // The class's icon, in every size it has. Drawing them is most of a publication's time: a
    // class the change does not name keeps the icon it has, and gets one only when it has none.
    void installIcon(const DesktopAssociation& association, bool named)
    {
        if (!named && hasIcon(DesktopNames::iconName(association.className)))
            return;
        for (const platform::Failure& failure : DesktopIcons::install(
                 association.className, association.iconReference,
                 DesktopNames::iconName(association.className), hicolorDir(), &m_iconFiles))
            m_failures.push_back(failure);
    }

    // The class's entry runs its command. It becomes the default handler of its type when the
    // change names the class (`named`); for another class only where the user has chosen no other
    // default, which an unrelated change must not demote. Where the entry cannot be, an earlier
    // one of the class is withdrawn: it would run a command the hive no longer holds.
    void publishEntry(const DesktopAssociation& association, bool typePublished, bool named)
    {
        if (!association.command) {
            withdrawEntry(association.className);
            return;
        }
        if (!typePublished) {
            refuseEntry(association,
                        platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "its file type could not be published")));
            return;
        }
        const DesktopExec::Result exec = DesktopExec::fromWindowsCommand(*association.command);
        if (exec.problem != DesktopExec::Problem::None) {
            refuseEntry(association, execProblem(exec.problem));
            return;
        }
        QStringList mimeTypes;
        for (const DesktopTypes::Type& type : DesktopTypes::of(association, m_systemTypes))
            mimeTypes << type.name;
        const QString fileName = DesktopNames::desktopFileName(association.className);
        const DesktopNames::Title name = DesktopNames::entryName(association);
        if (!write(applicationsDir() + u'/' + fileName,
                   DesktopEntry::text(name.english, name.french, entryIcon(association), mimeTypes, exec.exec))) {
            withdrawEntry(association.className);
            return;
        }
        for (const QString& mimeType : mimeTypes)
            (named ? m_handlers : m_unchosenHandlers).emplace_back(mimeType, fileName);
        m_entries.emplace_back(association.className, fileName);
        m_entriesChanged = true;
    }

    void finish()
    {
        if (!m_entries.empty())
            updateMimeApps();
        if (m_entriesChanged) {
            m_tools.emplace_back(QStringLiteral("update-desktop-database"),
                                 QStringList { applicationsDir() });
        }
        // A user theme without a cache is read folder by folder; one with a stale cache is not.
        // The tool deletes the cache of a theme left without icons: another program's cache stays.
        if (m_iconFiles > 0 && QFileInfo::exists(hicolorDir() + QStringLiteral("/icon-theme.cache"))
            && themeHoldsIcons()) {
            m_tools.emplace_back(
                QStringLiteral("gtk-update-icon-cache"),
                QStringList { QStringLiteral("-f"), QStringLiteral("-t"), hicolorDir() });
        }
        for (DesktopTool& tool : m_tools) {
            if (const auto failure = tool.finish())
                m_failures.push_back(*failure);
        }
    }

    const QList<platform::Failure>& failures() const { return m_failures; }

private:
    QString applicationsDir() const { return m_dataHome + QStringLiteral("/applications"); }
    QString hicolorDir() const { return m_dataHome + QStringLiteral("/icons/hicolor"); }

    // Whether a size folder of the theme holds the icon `iconName`. The theme is listed once, as
    // it is asked about every class the change does not name.
    bool hasIcon(const QString& iconName)
    {
        if (!m_themeIcons) {
            m_themeIcons.emplace();
            for (const QString& size : QDir(hicolorDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                for (const QFileInfo& icon : QDir(hicolorDir() + u'/' + size + QStringLiteral("/mimetypes"))
                                                 .entryInfoList({QStringLiteral("*.png")}, QDir::Files))
                    m_themeIcons->insert(icon.completeBaseName());
            }
        }
        return m_themeIcons->contains(iconName);
    }

    // Whether a size folder of the theme holds a file.
    bool themeHoldsIcons() const
    {
        QDirIterator it(hicolorDir(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            if (it.next().section(u'/', 0, -2) != hicolorDir())
                return true;
        }
        return false;
    }

    // The emulator's own icon when it is an installed application, else the class's.
    QString entryIcon(const DesktopAssociation& association)
    {
        if (!m_applicationIcons)
            m_applicationIcons = DesktopApplications::iconsByProgram(DesktopApplications::read().installed(m_places), m_places);
        const QString program = m_places.startedProgram(
            DesktopExec::splitWindowsCommand(association.command.value_or(QString())));
        const QString icon = program.isEmpty() ? QString() : m_applicationIcons->value(program);
        return icon.isEmpty() ? DesktopNames::iconName(association.className) : icon;
    }

    // The type the system's own database gives each extension of the hive's classes: what our
    // types are subclasses of. Read without our publication, it stays the same whatever we
    // published before; read in the process, it costs a change no tool's start.
    void readSystemTypes(const std::vector<DesktopAssociation>& classes)
    {
        QStringList extensions;
        for (const DesktopAssociation& association : classes) {
            std::copy_if(association.extensions.cbegin(), association.extensions.cend(), std::back_inserter(extensions),
                         &DesktopNames::isPublishableExtension);
        }
        const SystemMimeTypes system = SystemMimeTypes::ofSystem(extensions);
        for (const QString& extension : extensions)
            m_systemTypes.insert(extension.toLower(), system.canonical(system.typeOf(extension)));
    }

    bool write(const QString& path, const QByteArray& data)
    {
        const auto failure = DesktopFileWriter::write(path, data);
        if (failure)
            m_failures.push_back(*failure);
        return !failure;
    }

    void refuseClass(const QString& className)
    {
        m_failures.push_back(
            platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The class \"%1\" was not published: a class name may neither begin "
                             "with '.', which marks an extension, nor hold '\\', which separates "
                             "keys"))
                  .arg(className));
    }

    void refuseExtension(const QString& className, const QString& extension)
    {
        m_failures.push_back(
            platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The extension \".%1\" of the class \"%2\" was not published: it holds "
                  "a character that file name patterns reserve"))
                  .arg(extension, className));
    }

    void refuseEntry(const DesktopAssociation& association, const platform::Failure& why)
    {
        m_failures.push_back(
            platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The open command \"%1\" of the class \"%2\" "
                                                                       "cannot be used on this desktop: %3"))
                .arg(*association.command, association.className, why));
        withdrawEntry(association.className);
    }

    // A class the hive no longer holds loses its entry, its default and its icons.
    void withdrawClass(const QString& className)
    {
        withdrawEntry(className);
        for (const platform::Failure& failure : DesktopIcons::install(
                 className, QString(), DesktopNames::iconName(className), hicolorDir(), &m_iconFiles))
            m_failures.push_back(failure);
    }

    void withdrawEntry(const QString& className)
    {
        const QString fileName = DesktopNames::desktopFileName(className);
        bool removed = false;
        if (const auto failure = DesktopFileWriter::remove(applicationsDir() + u'/' + fileName,
                                                           &removed))
            m_failures.push_back(*failure);
        m_entriesChanged = m_entriesChanged || removed;
        m_entries.emplace_back(className, fileName);
    }

    // The lines of the types of a class that it no longer has, or of a class whose entry went,
    // lose the class's entry: every type of ours that the file names is looked at, since a type
    // the class had before is known only there.
    DesktopMimeApps::Handlers withdrawn(const QByteArray& original) const
    {
        const auto isHandler = [this](const QString& type, const QString& fileName) {
            const auto handler = std::pair {type, fileName};
            return std::find(m_handlers.cbegin(), m_handlers.cend(), handler) != m_handlers.cend()
                || std::find(m_unchosenHandlers.cbegin(), m_unchosenHandlers.cend(), handler) != m_unchosenHandlers.cend();
        };
        DesktopMimeApps::Handlers withdrawn;
        for (const QByteArray& listed : DesktopMimeApps::linesOf(original, {}).types) {
            const QString type = QString::fromUtf8(listed);
            for (const auto& [className, fileName] : m_entries) {
                if (DesktopTypes::belongsTo(type, className) && !isHandler(type, fileName))
                    withdrawn.emplace_back(type, fileName);
            }
        }
        return withdrawn;
    }

    // A file that cannot be read whole is left alone rather than replaced by our lines.
    void updateMimeApps()
    {
        const QString path = m_configHome + QStringLiteral("/mimeapps.list");
        QByteArray original;
        if (const auto failure = DesktopFileWriter::read(path, &original)) {
            m_failures.push_back(*failure);
            return;
        }
        DesktopMimeApps::Handlers handlers = m_handlers;
        for (const auto& handler : m_unchosenHandlers) {
            const QString current = DesktopMimeApps::defaultOf(original, handler.first);
            if (current.isEmpty() || current == handler.second)
                handlers.push_back(handler);
        }
        const QByteArray edited = DesktopMimeApps::withHandlers(original, handlers, withdrawn(original));
        if (edited != original)
            write(path, edited);
    }

    const QString m_dataHome;
    const QString m_configHome;
    const platform::ProgramPlaces m_places = platform::ProgramPlaces::ofThisSession();
    std::optional<QHash<QString, QString>> m_applicationIcons; // by program, read for the first entry written
    std::optional<QSet<QString>> m_themeIcons; // the icon names of the theme's size folders
    std::optional<DesktopTool> m_mimeTool;
    std::list<DesktopTool> m_tools;
    DesktopMimeApps::Handlers m_handlers;
    DesktopMimeApps::Handlers m_unchosenHandlers; // those of the classes the change does not name
    QHash<QString, QString> m_systemTypes; // by extension, lowered
    // The classes whose entry was written or withdrawn, with the entry's file name.
    std::vector<std::pair<QString, QString>> m_entries;
    bool m_entriesChanged = false;
    int m_iconFiles = 0;
    QList<platform::Failure> m_failures;
};

} // namespace

DesktopPublisher::DesktopPublisher(QList<ClassPair> pairs)
    : m_pairs(std::move(pairs))
{
}

QList<platform::Failure> DesktopPublisher::publish(const RegistryHive& hive, const QStringList& classNames)
{
    Publication publication;
    const QStringList packaged = DesktopAssociation::classesOf(hive);
    const QStringList published = publication.publishable(hive, classNames, packaged);
    std::vector<DesktopAssociation> classes;
    for (const QString& name : packaged)
        classes.push_back(DesktopAssociation::read(hive, name, m_pairs));
    const auto isPublished = [&published](const DesktopAssociation& association) {
        return published.contains(association.className, Qt::CaseInsensitive);
    };

    publication.startMimePackage(classes);
    for (const DesktopAssociation& association : classes) {
        if (!isPublished(association))
            continue;
        publication.reportUnpublishableExtensions(association);
        publication.installIcon(association, classNames.contains(association.className, Qt::CaseInsensitive));
    }
    const bool typesPublished = publication.finishMimePackage();
    for (const DesktopAssociation& association : classes) {
        if (isPublished(association)) {
            publication.publishEntry(association, typesPublished,
                                     classNames.contains(association.className, Qt::CaseInsensitive));
        }
    }
    publication.finish();

    return publication.failures();
}

} // namespace registry
