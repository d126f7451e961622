// Expectations are written in UTF-8; the tool speaks CP932.
#pragma once

#include <string>

// The CP932 bytes of a UTF-8 text. Aborts the test run on a text that has no
// CP932 form, so a typo in an expectation cannot pass silently.
std::string Cp932(const std::string& utf8);
