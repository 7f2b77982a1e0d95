// Why a head was kept or not: the usage of each limit, the threshold curves
// and the beam with which a rejected head would fit.
#include <gtest/gtest.h>

#include <cmath>

#include "selection/damage_threshold.h"
#include "selection/head_details.h"
#include "test_support.h"

namespace tavrin {
namespace {

using test::ModelFixture;
using test::WideHead;

SearchDetails DetailsOf(const MainWindowModel& model) {
    return ComputeDetails(model.Heads(), LimitsOf(model.Heads().Heads), model.State(), model.Numbers());
}

std::vector<std::string> Keys(const std::vector<CriterionUsage>& usage) {
    std::vector<std::string> keys;
    for (const CriterionUsage& criterion : usage) {
        keys.emplace_back(criterion.key);
    }
    return keys;
}

struct ModeCase {
    const char* mode;
    std::function<void(MainWindowModel&)> type;
    std::vector<std::string> keys;
};

// Every criterion that applies, in the search's order, with the laser's share
// of the limit: laser / limit for upper limits, limit / laser for lower ones.
TEST(Details, UsageIsWhatTheSearchCompared) {
    const std::vector<ModeCase> modes = {
        {"CW", test::TypeCw, {"power_max", "aperture", "power_density_max", "power_min", "wavelength", "product_type"}},
        {"pulsed",
         [](MainWindowModel& m) { test::TypePulsed(m); },
         {"power_max", "aperture", "power_density_max", "power_min", "energy_max", "wavelength", "damage_threshold",
          "product_type"}},
        {"single pulse",
         test::TypeSinglePulse,
         {"power_max", "aperture", "power_density_max", "energy_max", "energy_min", "wavelength", "damage_threshold",
          "product_type"}},
        {"rectangle",
         [](MainWindowModel& m) {
             m.ClickOption(OptionId::Rectangular);
             m.TypeText(EntryId::Beam1, "3");
             m.TypeText(EntryId::Beam2, "4");
             m.TypeText(EntryId::WaveLength, "1064");
             m.TypeText(EntryId::MaxPower, "10");
         },
         {"power_max", "aperture", "power_density_max", "power_min", "wavelength", "product_type"}}};
    for (const ModeCase& mode : modes) {
        HeadRecord head = WideHead("H");
        head.PowerMin = 0.5;
        head.EnergyMin = 0.25;
        ModelFixture f({{head}, test::UniformCoatings(100)});
        mode.type(f.model);
        const SearchDetails details = DetailsOf(f.model);
        ASSERT_EQ(details.kept.size(), 1u) << mode.mode;
        const auto& usage = details.kept[0].usage;
        EXPECT_EQ(Keys(usage), mode.keys) << mode.mode;
        const LaserInputState& s = f.model.State();
        for (const CriterionUsage& c : usage) {
            const std::string key = c.key;
            if (key == "power_max") {
                EXPECT_EQ(c.laser, s.AveragePower);
                EXPECT_EQ(*c.used, s.AveragePower / 10000);
            } else if (key == "aperture") {
                EXPECT_EQ(c.laser, s.BeamSize * 1.16) << mode.mode;
                EXPECT_EQ(*c.used, s.BeamSize * 1.16 / 100);
            } else if (key == "power_density_max") {
                EXPECT_EQ(c.laser, s.PowerDensity);
            } else if (key == "power_min" || key == "energy_min") {
                EXPECT_EQ(*c.used, c.limit / c.laser) << key;
            } else if (key == "damage_threshold") {
                EXPECT_EQ(c.laser, s.EnergyDensity);
                EXPECT_EQ(c.limit, 100);
                EXPECT_EQ(*details.kept[0].threshold, 100);
            } else if (key == "wavelength") {
                EXPECT_EQ(c.inRange, true);
                EXPECT_EQ(c.limitMax, 20);
            } else if (key == "product_type") {
                EXPECT_FALSE(c.used.has_value());
            }
        }
        EXPECT_EQ(details.curves.empty(), s.LaserType == Laser::CW) << mode.mode;
    }
}

// The curve of a coating row is the lookup itself, at every decade end and
// at ten points a decade between 1 ps and 1 s.
TEST(Details, CurvesFollowTheLookup) {
    CoatingTable coatings;
    for (int k = 0; k < 12; ++k) {
        coatings.Set(1, k, 100 - 5.0 * k);
    }
    ModelFixture f({{WideHead("H")}, coatings});
    test::TypePulsed(f.model);
    const SearchDetails details = DetailsOf(f.model);
    ASSERT_EQ(details.curves.size(), 1u);
    const auto& [row, points] = details.curves[0];
    EXPECT_EQ(row, 1);
    ASSERT_EQ(points.size(), 121u);
    EXPECT_EQ(points.front(), std::make_pair(1e-12, 45.0));
    EXPECT_EQ(points[60], std::make_pair(1e-6, 70.0));
    EXPECT_EQ(points.back(), std::make_pair(1.0, 100.0));
    EXPECT_NEAR(points[65].first, std::pow(10.0, -5.5), 1e-18);
    EXPECT_EQ(points[65].second, DamageThresholdAt(coatings, 1, Laser::Pulsed, points[65].first));
    EXPECT_EQ(*details.operatingPoint.pulseWidth, 0.001);
}

struct FitCase {
    const char* what;
    std::function<void(HeadRecord&)> edit;
    bool pulsed;
    const char* beam;
    std::optional<double> fits;
};

// A rejected head fits at X and not one step back toward the entered beam;
// a criterion the beam does not change leaves no beam that fits.
TEST(Details, FitsWithBeamIsExactAndNearest) {
    const std::vector<FitCase> cases = {
        {"power density", [](HeadRecord& h) { h.PowerDensityMax = 6000; }, false, "2", 3.3},
        {"damage threshold", [](HeadRecord&) {}, true, "2", 11.3},
        {"aperture", [](HeadRecord& h) { h.Aperture = 20; }, false, "30", 17.2},
        {"wavelength", [](HeadRecord& h) { h.WaveMax = 1; }, false, "2", std::nullopt},
        {"aperture runs out first",
         [](HeadRecord& h) {
             h.Aperture = 3;
             h.PowerDensityMax = 6000;
         },
         false, "2", std::nullopt}};
    for (const FitCase& c : cases) {
        HeadRecord head = WideHead("H");
        c.edit(head);
        const auto typed = [&](const std::string& beam) {
            auto f = std::make_unique<ModelFixture>(Catalogue{{head}, test::UniformCoatings(1)});
            if (c.pulsed) {
                test::TypePulsed(f->model);
            } else {
                f->model.TypeText(EntryId::WaveLength, "1064");
                f->model.TypeText(EntryId::MaxPower, "500");
            }
            f->model.TypeText(EntryId::Beam1, beam);
            return f;
        };
        auto entered = typed(c.beam);
        const auto kept = [&](double beam) {
            return typed(entered->model.Numbers().DoubleToText(beam))->model.Explore() == ExploreOutcome::Found;
        };
        const SearchDetails details = DetailsOf(entered->model);
        ASSERT_EQ(details.rejected.size(), 1u) << c.what;
        EXPECT_EQ(details.rejected[0].fitsWithBeamMm, c.fits) << c.what;
        if (c.fits) {
            const double back = *c.fits < std::stod(c.beam) ? *c.fits + 0.1 : *c.fits - 0.1;
            EXPECT_TRUE(kept(*c.fits)) << c.what;
            EXPECT_FALSE(kept(back)) << c.what;
        }
    }
}

// A rectangle has both sides scaled together: 2 x 3 mm at 500 W is 8333
// W/cm2, and a 6000 W/cm2 limit needs the sides 1.18 times as long.
TEST(Details, ARectangleFitsWithBothSidesScaled) {
    HeadRecord head = WideHead("H");
    head.PowerDensityMax = 6000;
    const auto explore = [&](const char* length, const char* width) {
        auto f = std::make_unique<ModelFixture>(Catalogue{{head}, test::UniformCoatings(1)});
        f->model.ClickOption(OptionId::Rectangular);
        f->model.TypeText(EntryId::Beam1, length);
        f->model.TypeText(EntryId::Beam2, width);
        f->model.TypeText(EntryId::WaveLength, "1064");
        f->model.TypeText(EntryId::MaxPower, "500");
        f->model.Explore();
        return f;
    };
    const auto entered = explore("2", "3");
    const SearchDetails& details = *entered->model.Details().Details();
    ASSERT_EQ(details.rejected.size(), 1u);
    EXPECT_EQ(details.rejected[0].fitsWithBeamScale, 1.18);
    EXPECT_FALSE(details.rejected[0].fitsWithBeamMm.has_value());
    EXPECT_EQ(entered->model.Details().WhyNotAt(0).fits, "fits with both sides \u00D7 1.18");
    EXPECT_EQ(explore("2.36", "3.54")->model.Grid().RowCount(), 1);
    EXPECT_EQ(explore("2.34", "3.51")->model.Grid().RowCount(), 0);
}

}  // namespace
}  // namespace tavrin
