#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "support/result.h"

namespace tavrin {

inline constexpr const char* kCoatingsFileName = "Coatings.Dat";

// Damage thresholds in J/cm2: rows by coating number, columns by pulse-width
// decade (column k for 10^-k s, column 11 for 1 ps). Rows 1 to 10 and
// columns 0 to 11 are stored; row 0 and column 12 stay 0.
class CoatingTable {
public:
    static constexpr int kRows = 11;
    static constexpr int kColumns = 13;
    static constexpr int kFirstStoredRow = 1;
    static constexpr int kLastStoredRow = 10;
    static constexpr int kStoredColumns = 12;
    // The size of "Coatings.Dat": every stored cell as an 8-byte value.
    static constexpr std::size_t kFileBytes = std::size_t{kLastStoredRow - kFirstStoredRow + 1} * kStoredColumns * 8;

    // 0 for a cell outside the table.
    [[nodiscard]] double At(int row, int column) const;
    void Set(int row, int column, double value);

    friend bool operator==(const CoatingTable&, const CoatingTable&) = default;

private:
    std::array<std::array<double, kColumns>, kRows> m_cells{};
};

// Fills the table from a "Coatings.Dat" image: 8-byte values row by row; what a
// short image lacks stays 0 and bytes beyond the 960th are ignored.
CoatingTable LoadCoatings(std::string_view bytes);

std::string SerializeCoatings(const CoatingTable& table);

Result<CoatingTable> LoadCoatingsFile(const std::filesystem::path& file);

}  // namespace tavrin
