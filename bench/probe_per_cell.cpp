// bench_per_cell: reads rows x columns cells of one list view through lvdump's
// own cell reader, so with exactly its exchange for every cell (width query,
// process handle, two blocks, record, message, read-back, release), and
// writes nothing but one summary line at the end. The tool's dump against this probe is the
// tool's own overhead.
//
// Usage: bench_per_cell HANDLE ROWS COLUMNS

#include "probe.h"

int main(int argc, char** argv) {
    probe::ListRequest request;
    if (!probe::ParseListRequest(argc, argv, &request)) return 2;
    std::int32_t rows = probe::RowsToRead(request);
    if (rows < 0) {
        std::fprintf(stderr, "bench_per_cell: %s is not a list view\n", argv[1]);
        return 1;
    }
    probe::Tally tally;
    char cell[kCellCapacity];
    for (std::int32_t row = 0; row < rows; ++row) {
        for (std::int32_t column = 0; column < request.columns; ++column) {
            LRESULT result = ReadListCell(request.list, row, column, cell);
            probe::CountCell(&tally, result, cell);
        }
    }
    probe::WriteSummary(tally);
    return 0;
}
