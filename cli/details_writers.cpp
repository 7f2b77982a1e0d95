#include "details_writers.h"

#include <cassert>
#include <ostream>

#include "beam/engineering_text.h"
#include "selection/criterion_texts.h"
#include "selection/damage_threshold.h"
#include "selection/head_details.h"
#include "selection/share_ceiling.h"
#include "support/control_characters.h"

namespace tavrin::cli {

namespace {

// The details of the search the model just ran, as the window shows them.
const SearchDetails& DetailsOf(const MainWindowModel& model) {
    const auto& details = model.Details().Details();
    assert(details && "details are asked for after a search");
    return *details;
}

template <typename T>
nlohmann::ordered_json OrNull(const std::optional<T>& value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json UsageJson(const CriterionUsage& usage) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    json["criterion"] = usage.key;
    json["laser"] = usage.laser;
    if (usage.inRange) {
        json["limit"] = {usage.limit, usage.limitMax};
        json["used"] = *usage.inRange;
    } else {
        json["limit"] = usage.limit;
        json["used"] = OrNull(usage.used);
    }
    return json;
}

const std::string& NameOf(const MainWindowModel& model, std::size_t index) {
    return model.Heads().Heads[index].Name;
}

// The share of the power a head's aperture passes, with a profile that is
// not uniform (null where it is not worked out: a measured profile).
void AddClipping(nlohmann::ordered_json& json, const MainWindowModel& model, const HeadUsage& head) {
    if (model.State().BeamProfile != Profile::Uniform) {
        json["aperture_power_fraction"] = OrNull(head.aperturePowerFraction);
    }
}

// "; the aperture passes 93.2 % of the power (clips 6.8 %)", for a Gaussian beam.
std::string ClippingText(const HeadUsage& head, char decimal) {
    if (!head.aperturePowerFraction) {
        return "";
    }
    const double passed = *head.aperturePowerFraction;
    std::string text = "; aperture passes " + FormatSignificant(passed * 100, decimal) + " % of the power";
    if (1 - passed > kClippingWarned) {
        text += " (clips " + FormatSignificant((1 - passed) * 100, decimal) + " %)";
    }
    return text;
}

// Where a head's threshold came from; under the conservative rule, what the
// table gives as listed too.
void AddThresholdBasis(nlohmann::ordered_json& json, const HeadUsage& head, ThresholdRule rule) {
    json["threshold_basis"] =
        head.thresholdLookup ? nlohmann::ordered_json(ThresholdBasisText(head.thresholdLookup->basis)) : nullptr;
    if (rule == ThresholdRule::Conservative) {
        json["threshold_as_listed"] =
            head.thresholdLookup ? nlohmann::ordered_json(head.thresholdLookup->listed) : nullptr;
    }
}

nlohmann::ordered_json GaussianJson(const GaussianCheck& check) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    json["kept"] = check.kept;
    json["criterion"] = TextOfCriterion(check.criterion).key;
    json["used"] = check.used;
    return json;
}

// "threshold 30 mJ/cm² at 10 ps: held from 100 ps (...)", inside a line.
std::string ThresholdInLine(const HeadUsage& head, const OperatingPoint& point, char decimal) {
    if (!head.thresholdLookup || !point.pulseWidth) {
        return "";
    }
    std::string note = ThresholdNote(*head.thresholdLookup, *point.pulseWidth, point.rule, decimal);
    note.front() = 't';
    return "; " + note;
}

}  // namespace

nlohmann::ordered_json DetailsJson(const MainWindowModel& model) {
    const SearchDetails& details = DetailsOf(model);
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    const OperatingPoint& point = details.operatingPoint;
    json["operating_point"] = {{"pulse_width_s", OrNull(point.pulseWidth)},
                               {"energy_density_J_cm2", point.energyDensity},
                               {"power_density_W_cm2", point.powerDensity}};
    if (point.ceiling != 1) {
        json["operating_point"]["ceiling"] = point.ceiling;
    }
    if (point.rule != ThresholdRule::AsListed) {
        json["operating_point"]["threshold_rule"] = ThresholdRuleKey(point.rule);
    }
    nlohmann::ordered_json heads = nlohmann::ordered_json::array();
    for (const KeptHeadDetails& kept : details.kept) {
        nlohmann::ordered_json head = nlohmann::ordered_json::object();
        head["name"] = NameOf(model, kept.index);
        head["index"] = kept.index;
        head["coating_row"] = OrNull(kept.coatingRow);
        head["threshold"] = OrNull(kept.threshold);
        AddThresholdBasis(head, kept, point.rule);
        nlohmann::ordered_json usage = nlohmann::ordered_json::array();
        for (const CriterionUsage& criterion : kept.usage) {
            usage.push_back(UsageJson(criterion));
        }
        head["usage"] = std::move(usage);
        AddClipping(head, model, kept);
        if (kept.ifGaussian) {
            head["if_gaussian"] = GaussianJson(*kept.ifGaussian);
        }
        heads.push_back(std::move(head));
    }
    json["heads"] = std::move(heads);
    nlohmann::ordered_json curves = nlohmann::ordered_json::object();
    for (const auto& [row, points] : details.curves) {
        nlohmann::ordered_json curve = nlohmann::ordered_json::array();
        for (const auto& [tau, threshold] : points) {
            curve.push_back({tau, threshold});
        }
        curves[std::to_string(row)] = std::move(curve);
    }
    json["curves"] = std::move(curves);
    nlohmann::ordered_json rejected = nlohmann::ordered_json::array();
    for (const RejectedHeadDetails& head : details.rejected) {
        const nlohmann::ordered_json failing = UsageJson(head.firstFailing);
        nlohmann::ordered_json item = nlohmann::ordered_json::object();
        item["name"] = NameOf(model, head.head.index);
        item["index"] = head.head.index;
        item["criterion"] = failing["criterion"];
        item["laser"] = failing["laser"];
        item["limit"] = failing["limit"];
        if (head.firstFailing.criterion == Criterion::DamageThreshold) {
            AddThresholdBasis(item, head.head, point.rule);
        }
        if (point.ceiling != 1) {
            item["ceiling_only"] = head.firstFailing.ceilingOnly;
        }
        item["fits_with_beam_mm"] = OrNull(head.fitsWithBeamMm);
        item["fits_with_beam_scale"] = OrNull(head.fitsWithBeamScale);
        AddClipping(item, model, head.head);
        rejected.push_back(std::move(item));
    }
    json["rejected"] = std::move(rejected);
    return json;
}

void WriteDetails(std::ostream& out, const MainWindowModel& model) {
    const SearchDetails& details = DetailsOf(model);
    const char decimal = model.Numbers().DecimalSeparator();
    const OperatingPoint& point = details.operatingPoint;
    out << "\nDetails:\nOperating point: ";
    if (point.pulseWidth) {
        out << "pulse width " << FormatQuantity(*point.pulseWidth, "s", decimal) << ", ";
    }
    out << "energy density " << FormatQuantity(point.energyDensity, "J/cm\u00B2", decimal) << ", power density "
        << FormatQuantity(point.powerDensity, "W/cm\u00B2", decimal);
    if (model.State().BeamProfile != Profile::Uniform) {
        out << " at the peak (" << FormatSignificant(point.peakFactor, decimal) << " \u00D7 the mean "
            << FormatQuantity(point.meanEnergyDensity, "J/cm\u00B2", decimal) << ", "
            << FormatQuantity(point.meanPowerDensity, "W/cm\u00B2", decimal) << ")";
        if (point.pulseWidth) {
            out << "; peak power density at the centre "
                << FormatQuantity(point.peakPowerDensity, "W/cm\u00B2", decimal);
        }
    }
    out << "\n";
    if (point.ceiling != 1) {
        out << CeilingNote(point.ceiling, decimal) << "\n";
    }
    if (point.rule != ThresholdRule::AsListed) {
        out << "Thresholds between catalogue points: conservative, never above the power law through the "
               "neighbouring points\n";
    }
    if (point.singlePulse) {
        out << kSinglePulseNote << "\n";
    }
    for (const KeptHeadDetails& kept : details.kept) {
        out << EscapeControlCharacters(NameOf(model, kept.index)) << " uses:";
        for (const CriterionUsage& usage : kept.usage) {
            if (usage.used) {
                // A share of 0/0 or of a limit of 0 is no share (null in the JSON).
                out << " " << usage.key << " " << ShareText(usage.used);
            }
        }
        out << ThresholdInLine(kept, point, decimal) << ClippingText(kept, decimal) << "\n";
    }
    // The heads a Gaussian beam of the same sizes would not suit.
    for (const KeptHeadDetails& kept : details.kept) {
        if (kept.ifGaussian && !kept.ifGaussian->kept) {
            out << EscapeControlCharacters(NameOf(model, kept.index)) << ": "
                << GaussianCheckText(*kept.ifGaussian, point.ceiling, decimal) << "\n";
        }
    }
    for (const RejectedHeadDetails& head : details.rejected) {
        const CriterionUsage& failing = head.firstFailing;
        const auto quantity = [&](double value) { return CriterionQuantity(failing.criterion, value, decimal); };
        out << "Why not " << EscapeControlCharacters(NameOf(model, head.head.index)) << ": " << failing.key;
        if (failing.inRange) {
            out << ", laser " << quantity(failing.laser) << " outside " << quantity(failing.limit) << " to "
                << quantity(failing.limitMax);
        } else if (failing.used) {
            out << ", laser " << quantity(failing.laser) << " against " << quantity(failing.limit);
            if (failing.ceilingOnly) {
                out << " (" << BeyondCeilingText(*failing.used, point.ceiling, decimal) << ")";
            }
        }
        if (failing.criterion == Criterion::DamageThreshold) {
            out << ThresholdInLine(head.head, point, decimal);
        }
        if (const std::string fits = FitsText(head.fitsWithBeamMm, head.fitsWithBeamScale, decimal); !fits.empty()) {
            out << "; " << fits;
        }
        out << ClippingText(head.head, decimal) << "\n";
    }
}

}  // namespace tavrin::cli
