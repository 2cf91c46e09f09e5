// The art generator's command line, callable from tests.
#pragma once
#include <string>
#include <vector>

// Arguments as after the program name: SOURCE_FOLDER OUTPUT_FOLDER [options].
// Returns the exit code: 0 done, 1 a fault in the sources or a file not written, 2 bad usage.
// Messages go to standard error, each fault naming its file and line.
int runArtGenerator(const std::vector<std::string>& args);
