#pragma once

// The constants every derived light value uses: PAR, PPFD, illuminance and the light-quality
// quantities read them from here, so that no two sums can drift apart.
namespace rad {

inline constexpr double kLuminousEfficacy = 683.0;         // lm/W at 555 nm
inline constexpr double kPhotonConstant = 0.119625512456;  // lambda*E to photon flux
inline constexpr double kPerNanometre = 1000.0;            // E is per um, the sums step 1 nm

// A band of whole nanometres, both limits included.
struct Band {
    int from;
    int to;
};
inline constexpr Band kParBand{400, 700};

}  // namespace rad
