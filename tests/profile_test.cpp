#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "beam/beam_profile.h"
#include "reports/report.h"
#include "reports/request_text.h"
#include "selection/head_details.h"
#include "test_support.h"

namespace tavrin {
namespace {

// One head whose limit (power density for a CW laser, the damage threshold
// for a pulsed one) lies between the mean of the laser below and its
// Gaussian peak: 10 W or 1 J over a 10 mm circle (0.785398 cm²) or a
// 10 × 5 mm rectangle (0.5 cm²).
TEST(BeamProfile, TheSearchComparesThePeakTheAbsorberSees) {
    struct Case {
        bool pulsed;
        bool rect;
        Profile profile;
        const char* factor;
        double peak;         // W/cm² (CW) or J/cm² (pulsed) at the centre, worked out by hand
        const char* margin;  // "" when the head is rejected
    };
    const Case cases[] = {
        // round, CW: mean 12.7324 W/cm², limit 20 W/cm²
        {false, false, Profile::Uniform, "", 12.7324, "64 %"},
        {false, false, Profile::Gaussian, "", 25.4648, ""},
        {false, false, Profile::Measured, "1.5", 19.0986, "95 %"},
        {false, false, Profile::Measured, "1", 12.7324, "64 %"},
        {false, false, Profile::Measured, "2", 25.4648, ""},
        // rectangle, CW: mean 20 W/cm², limit 40 W/cm²; 8/π over L × W
        {false, true, Profile::Uniform, "", 20, "50 %"},
        {false, true, Profile::Gaussian, "", 50.9296, ""},
        {false, true, Profile::Measured, "1.5", 30, "75 %"},
        // round, pulsed: mean 1.27324 J/cm², threshold 2 J/cm²
        {true, false, Profile::Uniform, "", 1.27324, "64 %"},
        {true, false, Profile::Gaussian, "", 2.54648, ""},
        {true, false, Profile::Measured, "1.5", 1.90986, "95 %"},
        // rectangle, pulsed: mean 2 J/cm², threshold 4 J/cm²
        {true, true, Profile::Uniform, "", 2, "50 %"},
        {true, true, Profile::Gaussian, "", 5.09296, ""},
        {true, true, Profile::Measured, "2.5464790894703255", 5.09296, ""},
        {true, true, Profile::Measured, "1.5", 3, "75 %"},
    };
    for (const Case& c : cases) {
        HeadRecord head = test::WideHead("H");
        head.PowerDensityMax = static_cast<std::int16_t>(c.rect ? 40 : 20);
        test::ModelFixture f(Catalogue{{head}, test::UniformCoatings(c.rect ? 4 : 2)});
        if (c.rect) {
            f.model.ClickOption(OptionId::Rectangular);
            f.model.TypeText(EntryId::Beam2, "5");
        }
        c.pulsed ? test::TypePulsed(f.model) : test::TypeCw(f.model);
        f.model.ChooseProfile(c.profile);
        f.model.TypeProfileFactor(c.factor);
        const std::string what = std::string(c.pulsed ? "pulsed " : "CW ") + (c.rect ? "rectangle " : "circle ") +
                                 ProfileName(c.profile) + " " + c.factor;

        const auto outcome = f.model.Explore();
        EXPECT_EQ(outcome, *c.margin != '\0' ? ExploreOutcome::Found : ExploreOutcome::NoneFound) << what;
        if (outcome == ExploreOutcome::Found) {
            EXPECT_EQ(f.model.Grid().CellAt(1, GridColumn::Margin), c.margin) << what;
        }
        f.model.WorkOutDetails();
        const OperatingPoint& point = f.model.Details().Details()->operatingPoint;
        EXPECT_NEAR(c.pulsed ? point.energyDensity : point.powerDensity, c.peak, 1e-4) << what;
        EXPECT_NEAR(c.pulsed ? point.meanEnergyDensity : point.meanPowerDensity,
                    c.pulsed ? (c.rect ? 2 : 1.27324) : (c.rect ? 20 : 12.7324), 1e-4)
            << what;
        EXPECT_EQ(f.model.PeakLine().empty(), c.profile == Profile::Uniform) << what;
        EXPECT_EQ(ComposeReport(f.model.State(), f.model.Labels(), f.model.Grid()).find("Beam Profile: ") !=
                      std::string::npos,
                  c.profile != Profile::Uniform)
            << what;
    }
}

// A factor below 1, or one that takes the density at the centre past the
// largest number, is refused with the focus on the factor.
TEST(BeamProfile, AMeasuredFactorTheSearchCannotUseIsRefusedAndResetMakesItUniform) {
    const char* const below = "Sorry, the peak-to-mean factor of a measured profile must be a number of at least 1.";
    for (const auto& [factor, message] :
         {std::pair{"0.5", below}, std::pair{"", below}, std::pair{"-2", below}, std::pair{"0", below},
          std::pair{"1e308",
                    "Sorry, the power density cannot be computed from these "
                    "values."}}) {
        test::ModelFixture f(Catalogue{{test::WideHead("H")}, test::UniformCoatings(1)});
        test::TypeCw(f.model);
        f.model.ChooseProfile(Profile::Measured);
        f.model.TypeProfileFactor(factor);
        EXPECT_EQ(f.model.Explore(), ExploreOutcome::Invalid) << factor;
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].text, message);
        EXPECT_TRUE(f.model.ProfileFactorFocused());
        f.model.ResetData();
        EXPECT_EQ(f.model.State().BeamProfile, Profile::Uniform);
        EXPECT_EQ(f.model.State().ProfileFactor, "");
        EXPECT_FALSE(f.model.ProfileFactorFocused());
    }
    test::ModelFixture f;
    EXPECT_FALSE(f.model.TypeProfileFactor("2")) << "the factor is typed only for a measured profile";
    f.model.ChooseProfile(Profile::Measured);
    EXPECT_TRUE(f.model.TypeProfileFactor("1.5x"));
    EXPECT_EQ(f.model.State().ProfileFactor, "1.5") << "the entry filter cuts what is not a number";
}

// 1 − exp(−2 (D/d)²) for a round beam: 93.2 % at D = 1.16 d, 99 % at 1.517 d.
// A square beam's disc integral, and an ellipse's against a plain sum over a
// fine grid, agree to 0.1 %.
TEST(BeamProfile, ApertureClippingFollowsTheGaussian) {
    const NumberEntry numbers('.');
    EXPECT_FALSE(AperturePowerFraction(10, LaserInputState{}, numbers).has_value());

    // A share stays a share: nothing through an aperture of no width (the
    // catalogue may hold -1 or -32768), everything through a wide one however
    // thin the beam, never a hair more.
    struct Share {
        const char* length;
        const char* width;  // empty: a round beam
        double aperture;
        double expected;
    };
    const double erf1d = std::erf(std::sqrt(2.0) * 5 / 2.5);  // a line 5 mm long through a 10 mm disc
    for (const Share& c :
         {Share{"10", "", 11.6, 0.9322}, Share{"10", "", 15.17, 0.99}, Share{"10", "", -1, 0}, Share{"10", "4", -1, 0},
          Share{"10", "4", -32768, 0}, Share{"10", "", 0, 0}, Share{"10", "4", 0, 0}, Share{"1e-200", "", 5, 1},
          Share{"5", "1e-6", 50, 1}, Share{"5", "1e-6", 6, std::erf(std::sqrt(2.0) * 3 / 2.5)},
          Share{"1e-200", "5", 10, erf1d}, Share{"5", "1e-200", 10, erf1d}, Share{"5e-324", "5", 10, erf1d},
          Share{"1e-200", "1e-200", 1, 1}, Share{"1e300", "1e300", 10, 0}, Share{"1e300", "", 10, 0}}) {
        LaserInputState beam;
        beam.BeamShape = *c.width == '\0' ? Shape::Circular : Shape::Rectangular;
        beam.Beam1().Text = c.length;
        beam.Beam2().Text = c.width;
        const auto share = AperturePowerFraction(c.aperture, beam, numbers);
        const std::string what = std::string(c.length) + " x " + c.width + " through " + std::to_string(c.aperture);
        ASSERT_TRUE(share.has_value()) << what;
        EXPECT_GE(*share, 0) << what;
        EXPECT_LE(*share, 1) << what;
        EXPECT_NEAR(*share, c.expected, 1e-4) << what;
    }

    const auto grid = [](double aperture, double length, double width) {
        constexpr int kSteps = 1200;
        const double wx = length / 2;
        const double wy = width / 2;
        const double reach = 5 * std::max(wx, wy);
        const double h = 2 * reach / kSteps;
        double inside = 0;
        double all = 0;
        for (int i = 0; i < kSteps; ++i) {
            for (int j = 0; j < kSteps; ++j) {
                const double x = -reach + (i + 0.5) * h;
                const double y = -reach + (j + 0.5) * h;
                const double intensity = std::exp(-2 * x * x / (wx * wx) - 2 * y * y / (wy * wy));
                all += intensity;
                inside += x * x + y * y <= aperture * aperture / 4 ? intensity : 0;
            }
        }
        return inside / all;
    };
    struct Case {
        const char* length;
        const char* width;
        double aperture;
    };
    for (const Case& c : {Case{"10", "10", 11.6}, Case{"10", "10", 15.17}, Case{"10", "4", 8}, Case{"3", "12", 10},
                          Case{"0.5", "20", 2}, Case{"2", "2", 100}}) {
        LaserInputState rect;
        rect.BeamShape = Shape::Rectangular;
        rect.Beam1().Text = c.length;
        rect.Beam2().Text = c.width;
        const double expected = std::string(c.length) == c.width
                                    ? 1 - std::exp(-2 * std::pow(c.aperture / std::stod(c.length), 2))
                                    : grid(c.aperture, std::stod(c.length), std::stod(c.width));
        EXPECT_NEAR(*AperturePowerFraction(c.aperture, rect, numbers), expected, 1e-3)
            << c.length << " x " << c.width << " through " << c.aperture;
    }
}

}  // namespace
}  // namespace tavrin
