// definitor_gen: writes the bundled chord rule base.
//
// The rules (chord members and doublings, spacing, voice-leading ranges, degree names) live in
// the code beside this file; data/xml/definitor.xml is its output and is committed. After
// changing a rule, regenerate from the source root with
//
//     cmake --build build --target definitor_gen && build/bin/definitor_gen data/xml/definitor.xml
//
// A test compares the committed file with this output, so the file is never edited by hand.

#include "rule_base.h"

#include <fstream>
#include <iostream>

int main(int argc, char **argv)
{
    const std::string text = pwgen::RuleBaseText();
    if (argc < 2) {
        std::cout << text;
        return 0;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << text;
    if (!out) {
        std::cerr << "definitor_gen: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
