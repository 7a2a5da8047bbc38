#pragma once
// Scratch folders of the tests. Every test program runs with a HOME of its own (see the test
// main), so programs that ctest runs at the same time never share a folder.
#include <string>

// "Suite.Name" of the running test; the "/" of parameterised names becomes "_".
std::string TestName();
// The folder emptied (or created), with a trailing "/". A folder that cannot be made fails the
// running test.
std::string FreshDir(const std::string& dir);
// HOME/scratch/, created when missing; what earlier tests of the program left stays.
std::string ScratchDir();
// A fresh folder of the running test: HOME/<area>/<Suite.Name>/.
std::string FreshTestDir(const std::string& area = "tests");
