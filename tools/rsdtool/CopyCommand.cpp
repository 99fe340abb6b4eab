// rsdtool copy: load a file and save it again, as the viewer's Save does.
#include "ToolSupport.h"

namespace {
constexpr const char* kCommand = "copy";
}

int RunCopy(const CommandArgs& args) {
    const auto parsed = ParseArgs(args, {}, kCommand);
    if (!parsed) return kExitUsage;
    if (!CheckPositionalCount(*parsed, 2, 2, kCommand)) return kExitUsage;
    if (!CheckOutput(parsed->positional[1], {parsed->positional.data(), 1})) return kExitFailed;
    CRsdData set;
    if (!LoadRsd(parsed->positional[0], set)) return kExitFailed;
    if (!set.Save(parsed->positional[1])) return WriteError(parsed->positional[1]);
    return kExitOk;
}
