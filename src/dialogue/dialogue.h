// The console dialogue: start-up, the menu loop, the numeric prompts and the
// list-contents request.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

// Writes one line of the dialogue on the console, ended and flushed.
void WriteLine(const std::string& text);

// Reads a signed 32-bit decimal number: white space is skipped, then an
// optional sign and digits are taken, stopping before the first character
// that cannot continue the number. What was taken stays consumed when the
// read fails (no digits, or a value out of range); failure sets the stream's
// failbit, and a stream already failed fails again at once.
bool ReadInt32(std::istream& in, std::int32_t& value);

// The same for an unsigned 32-bit number. A minus sign negates the value
// modulo 2^32; only a magnitude above 4294967295 fails.
bool ReadUInt32(std::istream& in, std::uint32_t& value);

// Writes `prompt`, reads a signed number from standard input and echoes it
// after `echoLabel`. A failed read drops one character of input, writes
// `errorLine` and asks again after `reprompt`. At the end of input it gives
// up and returns 0, and InputEnded() turns true.
std::int32_t PromptInteger(const char* prompt, const char* errorLine, const char* reprompt,
                           const char* echoLabel);

// True once a read has met the end of standard input; the run then ends as
// on menu choice 9.
bool InputEnded();

// Writes the five menu lines.
void ShowMenu();

// Menu choice 1: asks for a handle, rows and columns, records the request in
// the report and dumps the list.
void RequestListContents();

// The whole run, from start-up to the farewell; returns the exit status.
int RunTool();
