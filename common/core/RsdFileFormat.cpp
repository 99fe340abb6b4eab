#include "RsdFileFormat.h"

#include <array>

namespace rad::rsd {
namespace {

std::array<ModelTags, kModelCount> BuildTags() {
    std::array<ModelTags, kModelCount> tags;
    for (int m = 0; m < kModelCount; ++m) {
        const std::string key = kModels[static_cast<std::size_t>(m)].key;
        tags[static_cast<std::size_t>(m)] = {"HD_" + key, "HD_" + key + "_END", "DT_" + key,
                                             "DT_" + key + "_END"};
    }
    return tags;
}

const std::array<ModelTags, kModelCount>& AllTags() {
    static const std::array<ModelTags, kModelCount> tags = BuildTags();
    return tags;
}

}  // namespace

const ModelTags& TagsOf(int model) { return AllTags()[static_cast<std::size_t>(model)]; }

int ModelOfCalOpen(std::string_view tag) {
    for (int m = 0; m < kModelCount; ++m)
        if (tag == TagsOf(m).calOpen) return m;
    return -1;
}

int ModelOfDataOpen(std::string_view tag) {
    for (int m = 0; m < kModelCount; ++m)
        if (tag == TagsOf(m).dataOpen) return m;
    return -1;
}

}  // namespace rad::rsd
