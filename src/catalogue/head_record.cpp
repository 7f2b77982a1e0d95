#include "head_record.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tavrin {

bool IsProbe(const HeadRecord& head) {
    static constexpr std::string_view kProbe = "PROBE";
    const auto upperEquals = [](char text, char upper) {
        return std::toupper(static_cast<unsigned char>(text)) == static_cast<unsigned char>(upper);
    };
    return std::search(head.HeadType.begin(), head.HeadType.end(), kProbe.begin(), kProbe.end(), upperEquals) !=
           head.HeadType.end();
}

}  // namespace tavrin
