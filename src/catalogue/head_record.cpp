#include "head_record.h"

#include <algorithm>
#include <cctype>

namespace tavrin {

bool IsProbe(const HeadRecord& head) {
    std::string upper = head.HeadType;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper.find("PROBE") != std::string::npos;
}

}  // namespace tavrin
