// The main window model driven by random user actions against a random catalogue.
#include "model_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavrin::fuzz::FuzzInput input(data, size);
    tavrin::fuzz::ModelDriver driver(input);
    driver.CheckInvariants();
    while (driver.Step()) {
        driver.CheckInvariants();
    }
    return 0;
}
