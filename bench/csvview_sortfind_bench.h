// Sorting and finding in a big list of the shipped viewer, against loading
// it, in one run: the "sortfind" mode of csvview_load_bench.
#pragma once
#include <cstdint>
#include <string>

// Loads the generated file of that many rows, sorts it by a text column up
// and down and back, by a number column, stops a sort with Esc, and finds a
// text that is nowhere and one in the last row; prints the figures. The
// process's exit code: 0 when every step gave what it should.
int CsvviewSortFindBench(const std::string &exePath, const std::string &csvPath, int32_t rows);
