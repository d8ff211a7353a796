// The library parses; the exit statuses, the refusal of names that are no files and the wording are ours.
#include "tools/CommandLine.h"

#include "tools/PlainFileName.h"

namespace {

constexpr std::string_view kExitStatus =
    "Exit status: 0 done; 1 the book has a problem or the command failed;\n"
    "2 the command line is wrong.";
constexpr int kUsageStatus = 2;

}  // namespace

CommandLine::CommandLine(const std::string& program, const std::string& about, const std::string& version)
    : m_app(about, program) {
    // Set before any command is added: each command takes the formatter and the help option from here.
    m_app.formatter(m_help);
    m_app.set_help_flag("-h,--help", "print this help and exit");
    m_app.set_version_flag("--version", program + " " + version, "print the version and exit");
    m_app.require_subcommand(1);
    m_app.footer(std::string(kExitStatus) + "\nRun '" + program +
                 " COMMAND --help' for what a command takes.");
    m_app.failure_message([this](const CLI::App*, const CLI::Error& error) { return usageError(error); });
}

CLI::App& CommandLine::command(const std::string& name, const std::string& about, Action action,
                               const std::string& details) {
    CLI::App* added = m_app.add_subcommand(name, about);
    added->group("Commands");
    added->footer(details.empty() ? std::string(kExitStatus) : details + "\n\n" + std::string(kExitStatus));
    m_commands[added].action = std::move(action);
    return *added;
}

CLI::Option* CommandLine::fileName(CLI::App& command, const std::string& name, std::string& value,
                                   const std::string& about) {
    // Any text is taken, the empty one too: run() refuses a name that is no file with the reason, as a
    // failure that a script can tell from a mistyped command line.
    CLI::Option* added = command.add_option(name, value, about)->required()->type_name("");
    m_commands.at(&command).fileNames.push_back(added);
    return added;
}

int CommandLine::run(int argc, const char* const* argv) {
    try {
        m_app.parse(argc, argv);
        const Command& chosen = m_commands.at(m_app.get_subcommands().front());
        for (const CLI::Option* option : chosen.fileNames) {
            for (const std::string& name : option->results()) {
                PlainFileName::require(name);
            }
        }
        return chosen.action();
    } catch (const CLI::Error& error) {
        // --help and --version arrive as errors whose status is 0.
        return m_app.exit(error) == 0 ? 0 : kUsageStatus;
    }
}

std::string CommandLine::usageError(const CLI::Error& error) const {
    const std::vector<CLI::App*> chosen = m_app.get_subcommands();
    if (chosen.empty()) {
        // Without a command the whole help is short, and it lists them.
        const std::vector<std::string> words = m_app.remaining();
        const std::string what =
            words.empty() ? "give a command" : "'" + words.front() + "' is not a command";
        return m_app.get_name() + ": " + what + "\n\n" + m_app.help();
    }
    const CLI::App* command = chosen.front();
    const std::string name = m_app.get_name() + " " + command->get_name();
    const std::vector<std::string> words = command->remaining();
    // The library reports a word like "-x" as a missing argument, or not at all; such a word is an option
    // here.
    const std::string what =
        !words.empty() && words.front().starts_with('-')
            ? "there is no option " + words.front() + "; for a file of that name write ./" + words.front()
            : error.what();
    return name + ": " + what + "\n" + m_help->make_usage(command, name) + "Run '" + name +
           " --help' for more information.\n";
}
