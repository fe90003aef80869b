// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: the options it understands and what each asks for.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

// A request for work without the wizard: --list, --emulators, --associate, --remove or --undo.
struct CommandRequest {
    enum class Action { List, Emulators, Associate, Remove, Undo };

    Action action = Action::List;
    bool json = false;
    QString name; // the console to list or associate, or the console or class to remove
    std::optional<int> emulator; // 1 to 6
    std::optional<QString> command;
    std::optional<QString> application; // a desktop ID
    std::optional<QStringList> romExtensions;
    std::optional<QStringList> saveExtensions;
    std::optional<QString> romIcon;
    std::optional<QString> saveIcon;
};

class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // `arguments` as the program received them, the program's name first; the window toolkit's
    // own options (-platform, -style...) are left to the toolkit. The help and the messages speak
    // the language whose translation is in force.
    explicit CommandLine(const QStringList& arguments);

    // Answers what needs no window and no classes root (--version, --help, a mistake) on the
    // standard output or error and gives the exit status; nothing when the wizard is to open or
    // a request is to be run. It needs no display either.
    std::optional<int> answer() const;

    // The request the line asks for, once answer() has let it through; nothing for the wizard.
    std::optional<CommandRequest> request() const;

private:
    QString helpText() const;
    QString parseMistake() const;
    QString requestMistake() const;
    QString typed(const QString& name) const;

    QStringList m_arguments; // without the toolkit's options
    QCommandLineParser m_parser;
    bool m_parsed = false;
    const QCommandLineOption m_version;
    const QCommandLineOption m_help;
    const QCommandLineOption m_list;
    const QCommandLineOption m_json;
    const QCommandLineOption m_emulators;
    const QCommandLineOption m_associate;
    const QCommandLineOption m_emulator;
    const QCommandLineOption m_command;
    const QCommandLineOption m_application;
    const QCommandLineOption m_rom;
    const QCommandLineOption m_save;
    const QCommandLineOption m_romIcon;
    const QCommandLineOption m_saveIcon;
    const QCommandLineOption m_remove;
    const QCommandLineOption m_undo;
};
