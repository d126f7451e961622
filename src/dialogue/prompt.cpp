// The prompt-and-retry routine for signed answers, and the dialogue's lines.

#include "dialogue/dialogue.h"
#include "report/report.h"

#include <iostream>

void WriteLine(const std::string& text) {
    std::cout << text;
    EndLine(std::cout);
}

bool InputEnded() { return std::cin.fail() && std::cin.eof(); }

std::int32_t PromptInteger(const char* prompt, const char* errorLine, const char* reprompt,
                           const char* echoLabel) {
    std::cout << prompt;
    std::cout.flush();
    std::int32_t value = 0;
    while (!ReadInt32(std::cin, value)) {
        std::cin.clear();
        // With nothing left to drop, no answer can ever come: leave the stream
        // at its end for InputEnded() instead of retrying without end.
        if (std::cin.get() == std::istream::traits_type::eof()) return 0;
        WriteLine(errorLine);
        std::cout << reprompt;
        std::cout.flush();
    }
    std::cout << echoLabel << value;
    EndLine(std::cout);
    return value;
}
