// The report stream and the record writers shared by the inventory, the
// list-contents request and the list dump.

#include "report/report.h"

#include <cstdio>
#include <fstream>
#include <iostream>

namespace {

// Lives for the whole run. The C runtimes open files with sharing allowed
// (read and write) unless told otherwise, which is what other programs need to
// watch the report while the tool runs.
std::ofstream g_report;

// Writes to the report only while it is open and healthy; a failed write
// leaves it failed, and later records are skipped without a message.
bool ReportReady() { return g_report.is_open() && g_report.good(); }

} // namespace

void EndLine(std::ostream& sink) {
    sink << '\n';
    sink.flush();
}

void OpenReport() {
    if (g_report.is_open()) g_report.close();
    g_report.clear();
    g_report.open("Handle_List.txt", std::ios::out | std::ios::trunc);
}

void CloseReport() {
    if (g_report.is_open()) {
        g_report.flush();
        g_report.close();
    }
    g_report.clear();
}

std::uint32_t HandleNumber(HWND window) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}

std::string FormatHandle(std::uint32_t handle, int width) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*lu", width, static_cast<unsigned long>(handle));
    return digits;
}

std::string RequestHandleLine(std::uint32_t handle) {
    return "ハンドル番号（10進）=  " + FormatHandle(handle, 12);
}

void WriteWindowHeader(const char* title) {
    static const char rule[] = "------------------------------------------------";
    std::cout << rule;
    EndLine(std::cout);
    std::cout << title;
    EndLine(std::cout);
    if (ReportReady()) {
        g_report << rule;
        EndLine(g_report);
        g_report << title;
        EndLine(g_report);
    }
}

void WriteListEntry(HWND list, std::int32_t count) {
    std::string handle = FormatHandle(HandleNumber(list), 10);
    std::cout << "　ハンドル番号：" << handle << "　リスト行数　：" << count;
    EndLine(std::cout);
    if (ReportReady()) {
        g_report << "    ハンドル番号：" << handle << "　リスト行数　：" << count;
        EndLine(g_report);
    }
}

void WriteRequestHeader(std::uint32_t handle) {
    if (!ReportReady()) return;
    g_report << "++++++++++++++++++++";
    EndLine(g_report);
    g_report << RequestHandleLine(handle);
    EndLine(g_report);
}

void WriteRequestSeparator() {
    if (!ReportReady()) return;
    g_report << "   ";
    EndLine(g_report);
}

void WriteRowCell(std::int32_t column, const char* text) {
    if (column > 0) {
        std::cout << ';';
        if (ReportReady()) g_report << ';';
    }
    std::cout << ' ' << text << ' ';
    if (ReportReady()) g_report << ' ' << text << ' ';
}

void EndRowLine() {
    EndLine(std::cout);
    if (ReportReady()) EndLine(g_report);
}
