// How orvella-db's help lays out its commands: each one as it is typed, with its arguments and options.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

class CommandHelp : public CLI::Formatter {
public:
    CommandHelp();

    // The list of commands shows each one as typed, e.g. "upgrade OLD NEW [--renumber]", not its bare name.
    std::string make_subcommand(const CLI::App* command) const override;
    // A command's usage line spells out its options instead of "[OPTIONS]".
    std::string make_usage(const CLI::App* app, std::string name) const override;

private:
    // What follows the command's name: its arguments in order, then its options, each optional one in [].
    std::string arguments(const CLI::App* command) const;
};
