#pragma once

#include <memory>

#include "fuzz_input.h"
#include "test_support.h"

namespace tavrin::fuzz {

// A main window over a small random catalogue, driven by random user actions.
class ModelDriver {
public:
    explicit ModelDriver(FuzzInput& input);

    // Runs one action; false when the input is used up.
    bool Step();
    void CheckInvariants() const;

    [[nodiscard]] MainWindowModel& Model() { return m_fixture->model; }

private:
    FuzzInput* m_input;
    std::unique_ptr<test::ModelFixture> m_fixture;
};

}  // namespace tavrin::fuzz
