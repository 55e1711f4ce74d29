// Copying a big list out of the shipped viewer, against loading it, in one
// run: the "copy" mode of csvview_load_bench.
#pragma once
#include <cstdint>
#include <string>

// Loads the generated file of that many rows into the viewer, selects every
// row with Ctrl+A and copies them with Ctrl+C; prints the figures. The
// process's exit code: 0 when every step gave what it should.
int CsvviewCopyBench(const std::string &exePath, const std::string &csvPath, int32_t rows);
