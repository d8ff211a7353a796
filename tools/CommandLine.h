// orvella-db's command line: its commands, the file names they take, and the exit status of each outcome.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/CommandHelp.h"

class CommandLine {
public:
    // What a command does once its arguments are read; gives the status: 0 done, 1 the book has a problem.
    using Action = std::function<int()>;

    // version is the project's, which --version prints after the program's name.
    CommandLine(const std::string& program, const std::string& about, const std::string& version);

    // Adds a command; options of its own are added to what this returns. An action that finds options which
    // do not go together throws CLI::ValidationError, which run() reports as a wrong command line.
    // details, when given, stand in its help before the exit statuses.
    CLI::App& command(const std::string& name, const std::string& about, Action action,
                      const std::string& details = {});
    // Adds a file or folder name the command requires, read into value: its next argument, or an option for a
    // name such as "--to" (which may be made optional on what this returns).
    CLI::Option* fileName(CLI::App& command, const std::string& name, std::string& value,
                          const std::string& about);

    // Reads the arguments and runs the command they name, giving its status. Gives 0 after printing the help
    // or the version to standard output, and 2 when the arguments are not a command's, after saying what is
    // wrong and how to get help on standard error. Fails with DbError for a file name the engine would not
    // take as a file, before the command starts.
    int run(int argc, const char* const* argv);

private:
    struct Command {
        Action action;
        std::vector<const CLI::Option*> fileNames;
    };

    // What standard error says for a usage error: what is wrong, and where the help is.
    std::string usageError(const CLI::Error& error) const;

    std::shared_ptr<CommandHelp> m_help = std::make_shared<CommandHelp>();
    CLI::App m_app;
    std::map<const CLI::App*, Command> m_commands;
};
