// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a request of the command line without a window: lists, associates, removes, undoes.
#include "cli/CommandLineRunner.h"

#include "cli/AssociateRequest.h"
#include "cli/EmulatorsRequest.h"
#include "cli/ListRequest.h"
#include "cli/RemoveRequest.h"
#include "cli/UndoRequest.h"
#include "catalogue/Fileini.h"

CommandLineRunner::CommandLineRunner(QString programDirectory, bool french)
    : m_programDirectory(std::move(programDirectory))
    , m_catalogueFile(Fileini::cataloguePath(m_programDirectory))
    , m_output(french)
{
}

int CommandLineRunner::run(const CommandRequest& request)
{
    switch (request.action) {
    case CommandRequest::Action::List:
        return ListRequest(m_output, m_catalogueFile).run(request.json);
    case CommandRequest::Action::Emulators:
        return EmulatorsRequest(m_output, m_catalogueFile).run(request);
    case CommandRequest::Action::Associate:
        return AssociateRequest(m_output, m_programDirectory, m_catalogueFile).run(request);
    case CommandRequest::Action::Remove:
        return RemoveRequest(m_output, m_catalogueFile).run(request.name);
    case CommandRequest::Action::Undo:
        return UndoRequest(m_output, m_catalogueFile).run();
    }
    return CommandOutput::kUsageError;
}
