// lvdump: lists the list-view controls of running applications with their
// handle numbers, and reads their cells on request.

#include "dialogue/dialogue.h"

int main() { return RunTool(); }
