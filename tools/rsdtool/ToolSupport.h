#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "RadviewSettings.h"
#include "RsdData.h"

// Options with values ("--profile INI" or "--profile=INI") and the remaining words.
struct ParsedArgs {
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> positional;

    const std::string* Option(std::string_view name) const;
};

// Prints "rsdtool COMMAND: message" and a pointer to --help on stderr; returns kExitUsage.
int UsageError(const char* command, const std::string& message);
// Prints "rsdtool: FILE: problem" on stderr; returns kExitFailed.
int FileError(const std::string& file, const std::string& problem);
// FileError for a file that could not be written, with the cause that errno names.
int WriteError(const std::string& file);
// The same with the cause given (an errno or one of RegularFile.h's).
int WriteError(const std::string& file, int error);
// False after WriteError when out may not be written by a run that reads inputs: it names no
// regular file, or one of the inputs (rad::CheckOutputPath).
bool CheckOutput(const std::string& out, std::span<const std::string> inputs);

// The outputs of a batch written into one folder: the folder is made first, and an input
// whose output name an earlier input already took is refused, not written over it.
class CBatchOutputs {
  public:
    // False after FileError when the folder cannot be made.
    bool MakeFolder(const std::string& folder) const;
    // False after FileError when out was taken by an earlier input.
    bool Claim(const std::string& file, const std::string& out);

  private:
    std::set<std::string> m_taken;
};

// Removes a flag without a value from args (before any "--"); true when it was there.
bool TakeFlag(CommandArgs& args, std::string_view flag);

// nullopt (after the usage error) for an unknown option or one without its value.
std::optional<ParsedArgs> ParseArgs(const CommandArgs& args,
                                    std::initializer_list<std::string_view> valueOptions,
                                    const char* command);
// Usage error unless the positional words number between least and most.
bool CheckPositionalCount(const ParsedArgs& parsed, std::size_t least, std::size_t most,
                          const char* command);

// Loads path into an empty set; false after naming the file and the problem. With visit, the
// payloads go to it instead of into the set (CRsdData::LoadSummary).
bool LoadRsd(const std::string& path, CRsdData& set, const RsdPayloadVisitor* visit = nullptr);
// The same without printing: the problem, or nullopt when the file loaded.
std::optional<std::string> LoadRsdProblem(const std::string& path, CRsdData& set,
                                          const RsdPayloadVisitor* visit = nullptr);
// Radview settings of --profile, or the defaults without it; nullopt after an error.
std::optional<RadviewSettings> LoadViewerProfile(const ParsedArgs& parsed);

// "3,0,7" -> {3, 0, 7}; nullopt unless every item is a decimal number.
std::optional<std::vector<int>> ParseRecordList(std::string_view text);
std::optional<int> ParseRecordIndex(std::string_view text);
// The records of --records (checked against the set), or all in record order; nullopt after
// naming the file and the index outside it.
std::optional<std::vector<int>> SelectRecords(const std::optional<std::vector<int>>& wanted,
                                              const CRsdData& set, const std::string& file);
