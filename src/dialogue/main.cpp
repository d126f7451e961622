// lvdump: lists the list-view controls of running applications with their
// handle numbers, and reads their cells on request.

#include "dialogue/dialogue.h"

#include <cstdio>

int main() {
    // The C runtime leaves standard output unbuffered when it is a console,
    // and then writes every byte with a system call of its own. Buffered,
    // each line goes out in one write when it is flushed at its end, and every
    // prompt is still flushed before the tool waits for an answer.
    std::setvbuf(stdout, nullptr, _IOFBF, BUFSIZ);
    return RunTool();
}
