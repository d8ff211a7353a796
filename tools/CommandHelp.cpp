// Help text in the words of someone keeping a book: commands and arguments, without the parser's type names.
#include "tools/CommandHelp.h"

namespace {

// Wide enough for the longest command as typed, "upgrade OLD NEW [--renumber]", with its description beside
// it.
constexpr std::size_t kCommandWidth = 32;

}  // namespace

CommandHelp::CommandHelp() {
    column_width(kCommandWidth);
    label("SUBCOMMAND", "COMMAND");
    label("Positionals", "Arguments");
    // Every argument is required, and a missing one is a usage error that names it.
    label("REQUIRED", "");
}

std::string CommandHelp::make_subcommand(const CLI::App* command) const {
    std::stringstream out;
    CLI::detail::format_help(out, command->get_name() + arguments(command), command->get_description(),
                             get_column_width());
    return out.str();
}

std::string CommandHelp::make_usage(const CLI::App* app, std::string name) const {
    if (app->get_parent() == nullptr) {
        return CLI::Formatter::make_usage(app, std::move(name));
    }
    return get_label("Usage") + ": " + name + arguments(app) + "\n";
}

std::string CommandHelp::arguments(const CLI::App* command) const {
    std::string typed;
    for (const CLI::Option* option : command->get_options()) {
        if (option == command->get_help_ptr()) {
            continue;
        }
        if (option->get_positional()) {
            typed += " " + make_option_usage(option);
            continue;
        }
        const std::string value = option->get_type_name().empty() ? "" : " " + option->get_type_name();
        const std::string usage = option->get_name() + value;
        typed += option->get_required() ? " " + usage : " [" + usage + "]";
    }
    return typed;
}
