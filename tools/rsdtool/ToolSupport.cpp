#include "ToolSupport.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <numeric>

#include "BlockSerials.h"
#include "IniFile.h"
#include "OutputPath.h"
#include "ProfileLocation.h"
#include "RegularFile.h"

const std::string* ParsedArgs::Option(std::string_view name) const {
    const auto it = options.find(name);
    return it == options.end() ? nullptr : &it->second;
}

int UsageError(const char* command, const std::string& message) {
    std::fprintf(stderr, "rsdtool %s: %s\nTry \"rsdtool %s --help\".\n", command, message.c_str(),
                 command);
    return kExitUsage;
}

int FileError(const std::string& file, const std::string& problem) {
    std::fprintf(stderr, "rsdtool: %s: %s\n", file.c_str(), problem.c_str());
    return kExitFailed;
}

int WriteError(const std::string& file) { return WriteError(file, errno); }

bool CBatchOutputs::MakeFolder(const std::string& folder) const {
    if (rad::EnsureFolder(folder)) return true;
    FileError(folder, "cannot create the folder: " + rad::FileErrorText(errno));
    return false;
}

bool CBatchOutputs::Claim(const std::string& file, const std::string& out) {
    if (m_taken.insert(out).second) return true;
    FileError(file, "has the base name of an earlier file; " + out + " is not overwritten");
    return false;
}

int WriteError(const std::string& file, int error) {
    return FileError(file, "cannot be written: " + rad::FileErrorText(error));
}

bool CheckOutput(const std::string& out, std::span<const std::string> inputs) {
    const int refused = rad::CheckOutputPath(out, inputs);
    if (refused != 0) WriteError(out, refused);
    return refused == 0;
}

bool TakeFlag(CommandArgs& args, std::string_view flag) {
    const auto end = std::find(args.begin(), args.end(), "--");
    const auto it = std::find(args.begin(), end, flag);
    if (it == end) return false;
    args.erase(it);
    return true;
}

std::optional<ParsedArgs> ParseArgs(const CommandArgs& args,
                                    std::initializer_list<std::string_view> valueOptions,
                                    const char* command) {
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            parsed.positional.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const auto eq = word.find('=');
        const std::string name = word.substr(0, eq);
        bool known = false;
        for (std::string_view option : valueOptions) known = known || option == name;
        if (!known) {
            UsageError(command, "unknown option \"" + word + "\"");
            return std::nullopt;
        }
        if (eq != std::string::npos) {
            parsed.options[name] = word.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            parsed.options[name] = args[++i];
        } else {
            UsageError(command, "option " + name + " needs a value");
            return std::nullopt;
        }
    }
    return parsed;
}

bool CheckPositionalCount(const ParsedArgs& parsed, std::size_t least, std::size_t most,
                          const char* command) {
    const std::size_t n = parsed.positional.size();
    if (n >= least && n <= most) return true;
    UsageError(command, n < least ? "missing arguments" : "too many arguments");
    return false;
}

std::optional<std::string> LoadRsdProblem(const std::string& path, CRsdData& set,
                                          const RsdPayloadVisitor* visit) {
    set.Clear();
    try {
        const int result = visit ? set.LoadSummary(path, *visit) : set.Load(path);
        if (result >= 0) {
            // Written before a swapped unit got its own part of the day: said, not refused.
            for (const rad::SerialMismatch& mismatch : rad::FindSerialMismatches(set))
                std::fprintf(stderr, "rsdtool: %s: warning: %s\n", path.c_str(),
                             rad::SerialMismatchText(mismatch).c_str());
            return std::nullopt;
        }
        return "cannot load (" + std::to_string(result) + "): " + RsdLoadErrorText(result, errno);
    } catch (const RsdInvalidDataError& error) {
        return std::string(error.what()) + " after " + std::to_string(set.GetCount()) +
               " record(s)";
    }
}

bool LoadRsd(const std::string& path, CRsdData& set, const RsdPayloadVisitor* visit) {
    const auto problem = LoadRsdProblem(path, set, visit);
    if (problem) FileError(path, *problem);
    return !problem;
}

std::optional<RadviewSettings> LoadViewerProfile(const ParsedArgs& parsed) {
    CIniFile ini;
    const std::string* path = parsed.Option("--profile");
    if (path != nullptr && !ini.Load(*path)) {
        FileError(*path, "cannot read the profile: " + rad::FileErrorText(errno));
        return std::nullopt;
    }
    RadviewSettings settings;
    settings.LoadSettings(ini, "");
    return settings;
}

std::optional<int> ParseRecordIndex(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<std::vector<int>> ParseRecordList(std::string_view text) {
    std::vector<int> indices;
    while (true) {
        const auto comma = text.find(',');
        const auto index = ParseRecordIndex(text.substr(0, comma));
        if (!index) return std::nullopt;
        indices.push_back(*index);
        if (comma == std::string_view::npos) return indices;
        text.remove_prefix(comma + 1);
    }
}

std::optional<std::vector<int>> SelectRecords(const std::optional<std::vector<int>>& wanted,
                                              const CRsdData& set, const std::string& file) {
    if (!wanted) {
        std::vector<int> all(static_cast<std::size_t>(set.GetCount()));
        std::iota(all.begin(), all.end(), 0);
        return all;
    }
    for (int index : *wanted) {
        if (index < 0 || index >= set.GetCount()) {
            FileError(file, "no record " + std::to_string(index) + " (the file holds " +
                                std::to_string(set.GetCount()) + " records)");
            return std::nullopt;
        }
    }
    return wanted;
}
