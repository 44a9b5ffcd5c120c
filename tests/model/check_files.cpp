// lumivel_check_files: the model's checks as a command, for tests that drive the program
// from a script (tests/wine/locked-files).
//
//   lumivel_check_files invariants ROOT ORIGINAL_ROOT   backup copies equal ORIGINAL_ROOT's live
//                                                      files; the live index points inside the stores
//   lumivel_check_files same EXPECTED_ROOT ROOT         the two trees hold the same files and bytes
//
// Prints each problem; exit status 0 when there is none, 1 otherwise, 2 for bad arguments.
#include "model/installation_model.h"

#include <iostream>

using namespace lumivel::model;

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    std::string what = argv[1];
    std::vector<std::string> problems;
    if (what == "invariants")
        problems = checkInvariants(Paths{argv[2]}, readLive(Paths{argv[3]}));
    else if (what == "same")
        problems = compareTrees(argv[2], argv[3]);
    else
        return 2;
    for (const auto& p : problems)
        std::cout << "  " << p << "\n";
    return problems.empty() ? 0 : 1;
}
