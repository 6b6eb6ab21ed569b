// Runs the fuzz target over the checked-in corpus and a few thousand inputs made from it, so that
// the normal build exercises the target too. A crash or an unexpected exception fails the test.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

const std::vector<std::string> kTokens {"(",
                                        ")",
                                        ",",
                                        ";",
                                        "+",
                                        "-",
                                        "*",
                                        "/",
                                        "\\",
                                        "%",
                                        "^",
                                        "@",
                                        "&",
                                        "|",
                                        "!",
                                        "<",
                                        ">",
                                        "=",
                                        "<=",
                                        ">=",
                                        "<>",
                                        ":=",
                                        "++",
                                        "--",
                                        "[",
                                        "]",
                                        "$",
                                        "$x",
                                        "$i",
                                        "#65",
                                        "'a'",
                                        "''",
                                        "\"b\"",
                                        "1",
                                        "2.5",
                                        "1.0e3",
                                        "$FF",
                                        "x",
                                        "y",
                                        "t",
                                        "pi",
                                        "xor",
                                        "begin",
                                        "end",
                                        "if",
                                        "then",
                                        "else",
                                        "endif",
                                        "endd",
                                        "while",
                                        "do",
                                        "wend",
                                        "for",
                                        "next",
                                        "repeat",
                                        "until",
                                        "var",
                                        "true",
                                        "false",
                                        "CONDITION(",
                                        "LOOP(",
                                        "TILL(",
                                        "SERIES(",
                                        "RETURN(",
                                        "SIN(",
                                        "MAX(",
                                        "CONCAT(",
                                        "DEFINE('i', 0)",
                                        "SET(",
                                        "VAL(",
                                        "FORMAT('0.00', ",
                                        "FORMATF('%f', ",
                                        "FORMATDATE('c', ",
                                        "DATE('1/2/2000')",
                                        "ENCODEDATE(",
                                        "MIDSTR(",
                                        "STRINGOFCHAR('a', ",
                                        "INPUT(",
                                        "MSG(",
                                        "RND",
                                        "{c}",
                                        "//c\n",
                                        " ",
                                        "\n",
                                        "?",
                                        "\x01",
                                        "\xD0\x96"};

std::string randomInput(std::mt19937 &rng)
{
    std::string s;
    const int count = std::uniform_int_distribution<int>(1, 24)(rng);
    for (int i = 0; i < count; ++i)
        s += kTokens[std::uniform_int_distribution<std::size_t>(0, kTokens.size() - 1)(rng)];
    return s;
}

std::string mutated(std::string s, std::mt19937 &rng)
{
    const int edits = std::uniform_int_distribution<int>(1, 4)(rng);
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = s.empty() ? 0 : std::uniform_int_distribution<std::size_t>(0, s.size())(rng);
        switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
        case 0:
            if (at < s.size())
                s.erase(at, 1);
            break;
        case 1:
            s.insert(at, 1, static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng)));
            break;
        case 2:
            s.insert(at, kTokens[std::uniform_int_distribution<std::size_t>(0, kTokens.size() - 1)(rng)]);
            break;
        default:
            if (at < s.size())
                s[at] = static_cast<char>(s[at] ^ (1 << std::uniform_int_distribution<int>(0, 7)(rng)));
            break;
        }
    }
    return s;
}

void feed(const std::string &input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(input.data()), input.size());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::cerr << "usage: formula_fuzz_replay CORPUS_DIR [GENERATED_COUNT]\n";
        return 2;
    }
    std::vector<std::string> corpus;
    for (const auto &entry : std::filesystem::directory_iterator(argv[1])) {
        std::ifstream in(entry.path(), std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::sort(corpus.begin(), corpus.end());
    if (corpus.empty()) {
        std::cerr << "empty corpus in " << argv[1] << '\n';
        return 2;
    }
    const int generated = argc > 2 ? std::stoi(argv[2]) : 4000;
    try {
        for (const std::string &input : corpus)
            feed(input);
        std::mt19937 rng(20261209);
        for (int i = 0; i < generated; ++i) {
            std::string input
                = i % 2 ? randomInput(rng) : corpus[static_cast<std::size_t>(i / 2) % corpus.size()];
            input = mutated(std::move(input), rng);
            if (i % 7 == 0)
                input.insert(0, 1, static_cast<char>(std::uniform_int_distribution<int>(0, 31)(rng)));
            feed(input);
        }
    } catch (const std::exception &e) {
        std::cerr << "unexpected exception: " << e.what() << '\n';
        return 1;
    }
    std::cout << corpus.size() << " corpus inputs and " << generated << " generated inputs ran\n";
    return 0;
}
