#include "file_io.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace tavrin {

Result<std::string> ReadWholeFile(const std::filesystem::path& file, const std::string& missingMessage) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        return Error{ErrorCode::FileMissing, missingMessage};
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return Error{ErrorCode::FileUnreadable, missingMessage};
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return Error{ErrorCode::FileUnreadable, missingMessage};
    }
    return bytes;
}

Result<Done> ReplaceFile(const std::filesystem::path& file, std::string_view bytes) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
    if (ec) {
        return Error{ErrorCode::FileUnwritable, file.string() + " could not be deleted: " + ec.message()};
    }
    errno = 0;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        const int saved = errno;
        return Error{ErrorCode::FileUnwritable, file.string() + " could not be written: " +
                                                    (saved != 0 ? std::strerror(saved) : "cannot open the file")};
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        return Error{ErrorCode::FileUnwritable, file.string() + " could not be written completely"};
    }
    return Done{};
}

}  // namespace tavrin
