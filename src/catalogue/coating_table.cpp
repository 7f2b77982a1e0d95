#include "coating_table.h"

#include "byte_io.h"
#include "support/file_io.h"

namespace tavrin {

double CoatingTable::At(int row, int column) const {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) {
        return 0;
    }
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void CoatingTable::Set(int row, int column, double value) {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) {
        return;
    }
    m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = value;
}

CoatingTable LoadCoatings(std::string_view bytes) {
    CoatingTable table;
    ByteReader reader(bytes);
    for (int row = CoatingTable::kFirstStoredRow; row <= CoatingTable::kLastStoredRow; ++row) {
        for (int column = 0; column < CoatingTable::kStoredColumns; ++column) {
            const auto value = reader.ReadDouble();
            if (!value) {
                return table;
            }
            table.Set(row, column, *value);
        }
    }
    return table;
}

std::string SerializeCoatings(const CoatingTable& table) {
    ByteWriter writer;
    for (int row = CoatingTable::kFirstStoredRow; row <= CoatingTable::kLastStoredRow; ++row) {
        for (int column = 0; column < CoatingTable::kStoredColumns; ++column) {
            writer.WriteDouble(table.At(row, column));
        }
    }
    return writer.Bytes();
}

Result<CoatingTable> LoadCoatingsFile(const std::filesystem::path& file) {
    auto bytes = ReadWholeFile(file, "Coatings File Missing");
    if (!bytes) {
        return bytes.Failure();
    }
    return LoadCoatings(bytes.Value());
}

}  // namespace tavrin
