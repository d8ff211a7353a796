// Dated copy names: written and recognised by the same form.
#include "tools/StampedName.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <string_view>

namespace {

// The stamp's form: '9' stands for a digit, anything else for itself.
constexpr std::string_view kStampForm = "9999-99-99T999999Z";
constexpr std::string_view kExtension = ".mdb";

std::string stamp(std::time_t time) {
    std::tm utc{};
    gmtime_r(&time, &utc);
    char text[kStampForm.size() + 1];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H%M%SZ", &utc);
    return text;
}

bool isStamp(std::string_view text) {
    if (text.size() != kStampForm.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kStampForm[i] == '9' ? !digit : text[i] != kStampForm[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

namespace StampedName {

std::string place(PendingFile& pending, const std::string& folder, const std::string& prefix,
                  std::time_t time) {
    const std::string stamped = stamp(time);
    // After the last copy of the same second, even when older ones of that second were removed meanwhile.
    // A folder that cannot be listed starts at none: placing never replaces a file either way.
    long long n = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const auto found = age(entry.path().filename().string(), prefix);
        if (found && found->first == stamped) {
            n = std::max(n, found->second + 1);
        }
    }
    for (;; ++n) {
        std::string name = prefix + "-" + stamped;
        if (n > 0) {
            name.append("-").append(std::to_string(n));
        }
        name.append(kExtension);
        if (pending.placeAs((std::filesystem::path(folder) / name).string())) {
            return name;
        }
    }
}

std::optional<std::pair<std::string, long long>> age(const std::string& fileName, const std::string& prefix) {
    std::string_view rest(fileName);
    if (!rest.starts_with(prefix + "-") || !rest.ends_with(kExtension)) {
        return std::nullopt;
    }
    rest = rest.substr(prefix.size() + 1, rest.size() - prefix.size() - 1 - kExtension.size());
    const std::string_view stamped = rest.substr(0, kStampForm.size());
    if (!isStamp(stamped)) {
        return std::nullopt;
    }
    rest.remove_prefix(stamped.size());
    long long n = 0;
    if (!rest.empty()) {
        const auto read = std::from_chars(rest.data() + 1, rest.data() + rest.size(), n);
        if (rest[0] != '-' || rest.size() < 2 || rest[1] < '1' || rest[1] > '9' || read.ec != std::errc() ||
            read.ptr != rest.data() + rest.size()) {
            return std::nullopt;
        }
    }
    return std::make_pair(std::string(stamped), n);
}

}  // namespace StampedName
