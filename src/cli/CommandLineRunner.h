// Runs a request of the command line without a window: lists, associates, removes, undoes.
#pragma once

#include "cli/CommandLine.h"
#include "platform/ClassesRoot.h"
#include "associations/AssociationList.h"
#include "associations/AssociationPlan.h"
#include "associations/ClassesRootChange.h"

#include <QList>
#include <QString>
#include <optional>

class CommandLineRunner {
public:
    // `programDirectory` holds the shipped catalogue and icon library; `french` chooses the
    // language of what is printed.
    CommandLineRunner(QString programDirectory, bool french);

    // Runs `request`: results on the standard output, what went wrong on the standard error.
    // Returns the exit status: 0 done, 1 failed, 2 a console, emulator, extension, icon or
    // association the catalogue or the classes root does not know.
    int run(const CommandRequest& request);

private:
    int list(bool json);
    int associate(const CommandRequest& request);
    int remove(const QString& name);
    int undo();

    // The choices --associate stands for, as the wizard's pages would hold them; nothing, with
    // the mistake printed, when the catalogue offers no such thing.
    std::optional<registry::AssociationChoices> choices(const CommandRequest& request, const QString& console);
    std::optional<QString> installedIconLibrary();
    std::optional<QString> iconReference(const std::optional<QString>& asked, const QString& catalogueIndex,
                                         const QString& console, const char* catalogueKey);
    std::optional<registry::AssociationList> readList();
    // Tells the change's warnings and failures, or `done` when it went well.
    int finished(const registry::ClassesRootChange& change, const QString& done);

    QString text(const char* english, const char* french) const;
    QString inLanguage(const platform::Failure& failure) const;
    int failed(const QList<platform::Failure>& failures);
    int mistaken(const QString& mistake);

    QString m_programDirectory;
    QString m_catalogueFile;
    bool m_french;
    std::unique_ptr<platform::ClassesRoot> m_root;
};
