#include "DayPartDocs.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <utility>

#include "DayParts.h"
#include "RadviewDoc.h"

namespace {

struct PartOfDay {
    QString folder;
    rad::DayPartName name;
};

std::optional<PartOfDay> PartOf(const CRadviewDoc& doc) {
    if (doc.Path().isEmpty()) return std::nullopt;
    const QFileInfo info(doc.Path());
    const auto name = rad::ParseDayPartName(info.fileName().toStdString());
    if (!name) return std::nullopt;
    return PartOfDay{info.absolutePath(), *name};
}

}  // namespace

std::vector<const CRsdData*> OtherPartsOfDay(const CRadviewDoc& doc) {
    const auto own = PartOf(doc);
    if (!own) return {};
    std::vector<std::pair<int, const CRsdData*>> found;
    for (const CRadviewDoc* other : CRadviewDoc::Documents()) {
        if (other == &doc) continue;
        const auto part = PartOf(*other);
        if (part && part->folder == own->folder && part->name.day == own->name.day &&
            part->name.part != own->name.part)
            found.emplace_back(part->name.part, &other->Data());
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const CRsdData*> sets;
    for (const auto& [part, set] : found) sets.push_back(set);
    return sets;
}
