#include "DemoRig.h"

#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

#include "SensorModel.h"

namespace {
constexpr int kDemoModels[2] = {kQS100, kQS300};
}  // namespace

rad::SkyScene CDemoRig::PlaceSky(RadlogSettings& settings, rad::SkyKind kind, bool ownProfile,
                                 int64_t now) {
    if (ownProfile) {
        if (const auto site = rad::ParseSite(settings.siteLat, settings.siteLon, settings.siteAlt))
            return {kind, *site};
    } else {
        settings.sun = {};
    }
    const rad::SiteLocation site = rad::MachineDemoSite(now);
    rad::SiteTexts texts = rad::FormatSite(site);
    settings.siteLat = std::move(texts.lat);
    settings.siteLon = std::move(texts.lon);
    settings.siteAlt = std::move(texts.alt);
    return {kind, site};
}

bool CDemoRig::Start(const rad::SkyScene& scene) {
    std::string pattern = (std::filesystem::temp_directory_path() / "radlog-demo-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        m_error =
            "cannot create a demo folder in " + std::filesystem::temp_directory_path().string();
        return false;
    }
    m_folder = pattern + "/";
    m_scene = scene;
    QsSimOptions options;
    options.sky = WallClockSky(scene);
    m_sim = std::make_unique<CQsSim>(options);
    const std::vector<std::string> paths = m_sim->Start({kDemoModels[0], kDemoModels[1]});
    if (paths.size() != 2) {
        m_error = "cannot create the pseudo-terminals of the simulated sensors";
        return false;
    }
    m_paths[0] = paths[0];
    m_paths[1] = paths[1];
    return true;
}

void CDemoRig::Apply(RadlogSettings& settings, int intervalSeconds) const {
    settings.use = {};
    settings.comPort = {};
    for (int i = 0; i < 2; ++i) {
        settings.use[kDemoModels[i]] = true;
        settings.comPort[kDemoModels[i]] = i + 1;
        settings.ports[i + 1] = m_paths[i];
    }
    settings.rsdFolder = m_folder;
    settings.csvFolder = m_folder;
    // Whatever the time of day, the demo measures.
    settings.start = 0;
    settings.end = 86399;
    settings.interval = intervalSeconds > 0 ? intervalSeconds : kDefaultIntervalSeconds;
}

std::string CDemoRig::Describe() const {
    return "Demo: QS-100 on COM1 (" + m_paths[0] + "), QS-300 on COM2 (" + m_paths[1] +
           "), files in " + m_folder + "\nDemo sky: " + rad::SkyKindName(m_scene.kind) +
           " at latitude " + rad::FormatSite(m_scene.site).lat + ", longitude " +
           rad::FormatSite(m_scene.site).lon;
}
