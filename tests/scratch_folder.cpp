// Scratch folders for the tests; kept apart from the rest of the test support,
// which the fuzz targets share without GoogleTest.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "test_support.h"

namespace tavrin::test {
namespace {

// This process's own folder under the temporary folder ($TMPDIR), which every
// scratch folder is made in: two test runs at once never share one. It goes
// when the process ends, and only then: a child the process forked leaves it.
class ScratchRoot {
public:
    ScratchRoot() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrin-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "no scratch folder in " + pattern);
        }
        m_path = pattern;
    }
    ~ScratchRoot() {
        if (::getpid() == m_owner) {
            std::error_code ignored;
            std::filesystem::remove_all(m_path, ignored);
        }
    }
    ScratchRoot(const ScratchRoot&) = delete;
    ScratchRoot& operator=(const ScratchRoot&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
    pid_t m_owner = ::getpid();
};

// Removes the folders a test made when the test ends.
class ScratchSweeper final : public testing::EmptyTestEventListener {
public:
    void Add(const std::filesystem::path& folder) { m_made.push_back(folder); }

    void OnTestEnd(const testing::TestInfo& /*test*/) override {
        for (const auto& folder : m_made) {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        }
        m_made.clear();
    }

private:
    std::vector<std::filesystem::path> m_made;
};

ScratchSweeper& Sweeper() {
    // GoogleTest owns its listeners; this one lives as long as the run.
    static ScratchSweeper* const sweeper = [] {
        auto* made = new ScratchSweeper;  // NOLINT(cppcoreguidelines-owning-memory): the listener list owns it
        testing::UnitTest::GetInstance()->listeners().Append(made);
        return made;
    }();
    return *sweeper;
}

}  // namespace

std::filesystem::path FreshFolder(const std::string& name) {
    static const ScratchRoot root;
    const auto folder = root.Path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    // A folder made within a test goes at its end, one made before any test
    // (a program's own settings) with the process.
    if (testing::UnitTest::GetInstance()->current_test_info() != nullptr) {
        Sweeper().Add(folder);
    }
    return folder;
}

}  // namespace tavrin::test
