#include "catalogue_check.h"

#include <cmath>
#include <map>
#include <variant>

#include "head_catalogue.h"
#include "support/control_characters.h"

namespace tavrin {

std::vector<Finding> CheckHead(const HeadRecord& head, std::map<std::string, int>& names) {
    std::vector<Finding> out;
    const auto add = [&out, &head](const char* field, std::string text) {
        out.push_back(Finding{true, head.Name, field, std::move(text)});
    };
    if (head.Name.empty()) {
        add("Name", "the name is empty, so the head is never loaded");
    } else if (++names[head.Name] == 2) {
        add("Name", "the name is used by more than one head");
    }
    for (const auto& field : kHeadTextFields) {
        if (HasControlCharacter(head.*field.member)) {
            add(field.name, "holds a control character");
        }
    }
    if (head.CoatingNo < 0 || head.CoatingNo > 10) {
        add("CoatingNo", std::to_string(head.CoatingNo) + " is outside the coating table (0 to 10)");
    } else if (head.CoatingNo > 7) {
        add("CoatingNo",
            std::to_string(head.CoatingNo) + " is above 7: repetitive pulses would look up a row beyond the table");
    }
    if (head.WaveMin > head.WaveMax) {
        add("WaveMin", "the shortest wavelength is above the longest (WaveMax)");
    }
    // The search compares the laser with the limits, and divides by the power
    // density. A whole-number limit of 0 passes no laser.
    for (const HeadField& field : kHeadFields) {
        const auto* whole = std::get_if<std::int16_t HeadRecord::*>(&field.member);
        if (field.limit && whole != nullptr && head.**whole == 0) {
            add(field.name, "the limit is 0, so no laser passes it");
        }
    }
    for (const HeadField& field : kHeadFields) {
        if (!field.limit) {
            continue;
        }
        const double value =
            std::visit(FieldVisitor{[&](std::string HeadRecord::*) { return 0.0; },
                                    [&](std::int16_t HeadRecord::*member) { return static_cast<double>(head.*member); },
                                    [&](double HeadRecord::*member) { return head.*member; }},
                       field.member);
        if (!std::isfinite(value)) {
            add(field.name, "the limit is not a finite number");
        } else if (value < 0) {
            add(field.name, "the limit is negative");
        }
    }
    return out;
}

std::optional<std::string> ThresholdFault(double value, int column) {
    if (!std::isfinite(value)) {
        return "threshold in column " + std::to_string(column) + " is not a finite number";
    }
    if (value < 0) {
        return "negative threshold in column " + std::to_string(column);
    }
    return std::nullopt;
}

namespace {

void CheckCoatings(const CoatingTable& coatings, std::vector<Finding>& out) {
    for (int row = CoatingTable::kFirstStoredRow; row <= CoatingTable::kLastStoredRow; ++row) {
        const std::string field = "coating row " + std::to_string(row);
        for (int column = 0; column < CoatingTable::kStoredColumns; ++column) {
            const double value = coatings.At(row, column);
            if (column > 0 && value > coatings.At(row, column - 1)) {
                out.push_back(Finding{false, "", field,
                                      "the threshold rises from column " + std::to_string(column - 1) +
                                          " to the shorter pulses of column " + std::to_string(column)});
            }
            if (auto fault = ThresholdFault(value, column)) {
                out.push_back(Finding{true, "", field, std::move(*fault)});
            }
        }
    }
}

}  // namespace

std::vector<Finding> CheckCatalogue(const Catalogue& catalogue) {
    std::vector<Finding> findings;
    std::map<std::string, int> names;
    for (const HeadRecord& head : catalogue.Heads) {
        auto found = CheckHead(head, names);
        findings.insert(findings.end(), found.begin(), found.end());
    }
    if (catalogue.Heads.empty()) {
        findings.push_back(Finding{true, "", kHeadsFileName, kNoHead});
    }
    CheckCoatings(catalogue.Coatings, findings);
    return findings;
}

std::vector<Finding> CheckCatalogueFiles(std::string_view headBytes, std::string_view coatingBytes) {
    std::vector<Finding> findings;
    const HeadFileShape shape = InspectHeads(headBytes);
    if (shape.trailingBytes != 0) {
        findings.push_back(Finding{true, "", kHeadsFileName,
                                   "the last " + std::to_string(shape.trailingBytes) +
                                       " bytes are not a whole record (a file cut short?); the loader drops them"});
    }
    if (shape.unnamed != 0) {
        findings.push_back(
            Finding{true, "", kHeadsFileName,
                    std::to_string(shape.unnamed) + " records have an empty name; the loader skips them"});
    }
    if (coatingBytes.size() != CoatingTable::kFileBytes) {
        findings.push_back(Finding{true, "", kCoatingsFileName,
                                   "the file holds " + std::to_string(coatingBytes.size()) +
                                       " bytes where the table takes " + std::to_string(CoatingTable::kFileBytes)});
    }
    return findings;
}

}  // namespace tavrin
