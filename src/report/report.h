// The report file "Handle_List.txt" and the records the tool writes to the
// console and to it. Every line end is flushed at once on the sink it ends;
// records that go to both sinks reach the console first.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <ostream>
#include <string>

// Ends a line on one sink and flushes it.
void EndLine(std::ostream& sink);

// Recreates the report in the current directory and keeps it open, shared with
// other programs, for the rest of the run. When the file cannot be opened the
// report stays closed and every report write is skipped; the console is unaffected.
void OpenReport();

// Flushes and closes the report.
void CloseReport();

// The handle number of a window: its 32-bit handle as an unsigned value.
std::uint32_t HandleNumber(HWND window);

// The handle right-aligned in a field of `width` characters filled with "0".
std::string FormatHandle(std::uint32_t handle, int width);

// "ハンドル番号（10進）=  " and the handle in 12 digits: the request's echo on
// the console and its handle line in the report.
std::string RequestHandleLine(std::uint32_t handle);

// A rule of 48 "-" and the window title: console, then report.
void WriteWindowHeader(const char* title);

// One list view of the inventory with its row count: console, then report.
void WriteListEntry(HWND list, std::int32_t count);

// The start of a list-contents request: report only.
void WriteRequestHeader(std::uint32_t handle);

// The line of three blanks after a request's dialogue: report only.
void WriteRequestSeparator();

// One cell of a row line, ";" first for every column after the first.
void WriteRowCell(std::int32_t column, const char* text);

// Ends the row line on both sinks.
void EndRowLine();
