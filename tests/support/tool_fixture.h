// A test that runs the tool's code over a simulated desktop, in a folder of
// its own (where the report is written), with the standard streams captured.
#pragma once

#include "platform/simulated_desktop.h"
#include "support/cp932.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

struct Console {
    std::string out;
    std::string err;
    int status = -1;
};

class ToolTest : public testing::Test {
protected:
    ToolTest();
    ~ToolTest() override;

    // The whole run, from start-up to its end, with `input` as standard input.
    Console Run(const std::string& input);

    // Runs `body` with `input` as standard input and the console captured.
    Console Capture(const std::function<void()>& body, const std::string& input = "");

    // The bytes of Handle_List.txt in the test's folder.
    std::string Report() const;

    // ExpectNothingLeft for the test's own desktop.
    void ExpectNothingLeft() const;

    std::string folder_;
    sim::Desktop desktop_;
    DWORD app_ = 0; // a 32-bit application owning the windows tests add
};

// Every process handle closed, every remote block released, no service
// misused; `context` names the case in a failure message.
void ExpectNothingLeft(const sim::Desktop& desktop, const std::string& context = "");

// The console and report lines of the start-up inventory and menu of a run
// over an empty desktop, and the farewell.
std::string MenuText();
std::string FarewellText();
